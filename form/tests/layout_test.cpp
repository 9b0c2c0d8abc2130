#include "form/form_layout.h"
#include "form/tests/form_probe.h"

#include <QAccessible>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QRawFont>
#include <QRegularExpression>
#include <QStyleOptionComboBox>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <map>
#include <string_view>
#include <vector>

namespace tavrin::test {
namespace {

// The window as drawn, one control a line: name | kind | left | top | width | height (twips) | caption or
// items | font and colour where they are not 宋体 9 pt in the system colour, and "hidden" for a control
// hidden when the window is created.
constexpr std::string_view kDrawing = R"drawing(
Label1   | label  | 3360 |    0 | 4455 | 495 | "Tavrin"                                 | 宋体 26.25
Label30  | label  |  960 |  840 | 1335 | 255 | "抗震设防烈度"                            |
Combo9   | list   | 2520 |  720 |  975 | 300 | "<=5", "6", "7", ">=8"                   |
Label31  | label  | 4320 |  720 | 1215 | 255 | "场地类别"                                |
Combo10  | list   | 5640 |  720 |  975 | 300 | "I、II类", "III、IV类"                    |
Label2   | label  |  960 | 1320 | 1455 | 255 | "混凝土强度等级"                          |
Combo1   | list   | 2520 | 1320 | 1095 | 300 | "C20", "C25", "C30", "C40", "C45", "C50", "C55", "≥C60" |
Label3   | label  | 4320 | 1320 |  975 | 255 | "保护层厚度"                              |
Combo2   | list   | 5640 | 1320 | 1095 | 300 | "25", "30", "35", "≥40"                   |
Label5   | label  |  960 | 1920 | 1095 | 255 | "钢筋强度等级"                            |
Combo4   | list   | 2520 | 1800 | 1095 | 300 | "HPB235", "HRB335", "HRB400"              |
Label4   | label  | 4320 | 1800 | 1095 | 375 | "植筋直径"                                |
Combo3   | list   | 5640 | 1800 | 1095 | 300 | "6", "8", "10", "12", "14", "16", "18", "20", "22", "25", "28", "32" |
Label29  | label  | 7080 | 1800 | 1095 | 255 | "箍筋直径："                              |
Combo8   | list   | 8280 | 1800 |  975 | 300 | "6", ">=8"                                |
Label6   | label  |  960 | 2400 | 1335 | 255 | "结构胶粘剂等级"                          |
Combo5   | list   | 2520 | 2280 | 1095 | 300 | "A级胶", "B级胶"                          |
Label7   | label  | 4320 | 2280 | 1215 | 255 | "植筋间距(mm)"                            |
Text1    | entry  | 5640 | 2280 |  855 | 270 |                                          |
Label8   | label  | 7080 | 2280 | 1215 | 255 | "植筋边距(mm)"                            |
Text2    | entry  | 8280 | 2280 |  855 | 270 |                                          |
Label9   | label  |  960 | 2880 | 1215 | 255 | "构件受力状态"                            |
Combo6   | list   | 2520 | 2760 | 1455 | 300 | "悬挑构件", "非悬挑重要构件", "其他构件"  |
Label10  | label  | 4320 | 2880 | 2295 | 375 | "混凝土孔壁潮湿影响系数："                |
Text3    | entry  | 6600 | 2760 |  495 | 270 |                                          |
Label11  | label  |  960 | 3480 | 1455 | 255 | "使用环境温度(℃)"                         |
Combo7   | list   | 2520 | 3360 | 1095 | 300 | "≤60℃", ">60℃"                            |
Label12  | label  | 4320 | 3360 | 1215 | 255 | "温度影响系数"                            | hidden
Text4    | entry  | 5640 | 3360 |  735 | 270 |                                          | hidden
Label28  | label  | 6720 | 3120 | 1095 | 615 | "请输入胶粘剂粘结强度设计值fbd:"          |
Text5    | entry  | 8160 | 3240 | 1215 | 495 |                                          | 楷体_GB2312 14.25 red
Command1 | button | 1200 | 4080 | 1455 | 375 | "计　　算"                                |
Command2 | button | 4920 | 4080 | 1335 | 375 | "返回默认值"                              |
Label13  | label  |  960 | 4800 | 2295 | 255 | "构件受力状态影响系数ψbr:"                |
Label14  | label  | 3480 | 4800 |  855 | 255 | ""                                       | 楷体_GB2312 14.25 red
Label15  | label  | 5640 | 4800 | 2655 | 255 | "锚固长度承载力修正系数ψN:"               |
Label16  | label  | 8280 | 4800 | 1095 | 255 | ""                                       | 楷体_GB2312 14.25 red
Label17  | label  |  960 | 5520 | 2775 | 255 | "植筋用胶粘剂粘结强度设计值fbd:"          |
Label18  | label  | 3960 | 5400 | 1095 | 375 | ""                                       | 楷体_GB2312 14.25 red
Label19  | label  | 5640 | 5520 | 2295 | 255 | "混凝土劈裂影响系数aspt:"                 |
Label20  | label  | 8280 | 5520 |  975 | 255 | ""                                       | 楷体_GB2312 14.25 red
Label21  | label  |  960 | 6360 | 2415 | 255 | " 植筋基本锚固长度ls(mm):"                |
Label22  | label  | 3720 | 6240 |  855 | 375 | ""                                       | 楷体_GB2312 14.25 red
Label23  | label  | 5640 | 6360 | 2295 | 255 | "植筋位移修正系数ψae:"                    |
Label24  | label  | 8280 | 6240 | 1095 | 375 | ""                                       | 楷体_GB2312 14.25 red
Label25  | label  | 1080 | 6960 | 1935 | 375 | "计算结果："                              | 黑体 15.75 bold
Label26  | label  | 1200 | 7680 | 2295 | 375 | "植筋直径(mm)："                          | 宋体 14.25
Text6    | entry  | 3360 | 7560 |  975 | 495 |                                          | 楷体_GB2312 15.75 blue
Label27  | label  | 4560 | 7680 | 2655 | 255 | "植筋锚固长度(mm):"                       | 宋体 14.25
Text7    | entry  | 7200 | 7560 | 2295 | 495 |                                          | 楷体_GB2312 15.75 blue
)drawing";

struct Drawn {
  QString name, kind;
  QRect twips;
  QStringList texts;
  QStringList look;
};

std::vector<Drawn> drawing() {
  static const QRegularExpression quoted(QStringLiteral("\"([^\"]*)\""));
  std::vector<Drawn> controls;
  const QString text = QString::fromUtf8(kDrawing.data(), static_cast<qsizetype>(kDrawing.size()));
  for (const QString &line : text.split(u'\n', Qt::SkipEmptyParts)) {
    const QStringList cells = line.split(u'|');
    Drawn drawn{cells[0].trimmed(),
                cells[1].trimmed(),
                QRect(cells[2].toInt(), cells[3].toInt(), cells[4].toInt(), cells[5].toInt()),
                {},
                cells[7].split(u' ', Qt::SkipEmptyParts)};
    for (const auto &match : quoted.globalMatch(cells[6])) {
      drawn.texts << match.captured(1);
    }
    controls.push_back(drawn);
  }
  return controls;
}

// Each typeface as a family list: the Windows face, its Chinese name, the Debian face of the same style.
QStringList familiesOf(const QString &face) {
  if (face == u"黑体") {
    return {"SimHei", "黑体", "WenQuanYi Zen Hei"};
  }
  if (face == u"楷体_GB2312") {
    return {"KaiTi_GB2312", "楷体_GB2312", "KaiTi", "楷体", "AR PL UKai CN"};
  }
  return {"SimSun", "宋体", "AR PL UMing CN"};
}

// The face a family list ends up drawing with: its first family that is installed on this machine.
QString firstInstalled(const QStringList &families) {
  const QStringList installed = QFontDatabase::families();
  for (const QString &family : families) {
    if (installed.contains(family)) {
      return family;
    }
  }
  return {};
}

// The look of the captions can only be judged where a face of each style is installed: Debian's or
// Windows' own. Qt's offscreen platform on Windows (the suite under Wine) sees no installed font at all.
#define skipWithoutTheWindowsFaces()                                                                         \
  if (firstInstalled(familiesOf("宋体")).isEmpty() || firstInstalled(familiesOf("楷体_GB2312")).isEmpty()) { \
    GTEST_SKIP() << "no face of the window's styles is installed";                                           \
  }

const char *classOf(const QString &kind) {
  if (kind == u"list") {
    return "QComboBox";
  }
  if (kind == u"entry") {
    return "QLineEdit";
  }
  return kind == u"button" ? "QPushButton" : "QLabel";
}

QStringList textsOf(const QWidget &widget) {
  if (const auto *list = qobject_cast<const QComboBox *>(&widget)) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
      items << list->itemText(i);
    }
    return items;
  }
  if (const auto *entry = qobject_cast<const QLineEdit *>(&widget)) {
    return entry->text().isEmpty() ? QStringList{} : QStringList{entry->text()};
  }
  return {QString::fromStdString(shownText(widget))};
}

QColor expectedInk(const QWidget &widget, const QStringList &look) {
  if (look.contains(u"red")) {
    return {255, 0, 0};
  }
  if (look.contains(u"blue")) {
    return {0, 0, 255};
  }
  return QApplication::palette(&widget).color(widget.foregroundRole());
}

TEST(FormLayout, EveryControlAsDrawn) {
  const Form1 form;
  const std::vector<Drawn> controls = drawing();
  ASSERT_EQ(controls.size(), 50U);
  EXPECT_EQ(viewOf(form).size(), controls.size()) << "the window holds exactly the drawn controls";
  for (const Drawn &drawn : controls) {
    SCOPED_TRACE(drawn.name.toStdString());
    const QWidget *widget = control(form, drawn.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), classOf(drawn.kind));
    const QRect &t = drawn.twips;
    EXPECT_EQ(widget->geometry(), QRect(t.x() / 15, t.y() / 15, t.width() / 15, t.height() / 15));
    EXPECT_EQ(textsOf(*widget), drawn.texts);
    EXPECT_EQ(widget->isHidden(), drawn.look.contains(u"hidden"));
    EXPECT_TRUE(widget->isEnabled());
    if (const auto *list = qobject_cast<const QComboBox *>(widget)) {
      EXPECT_FALSE(list->isEditable()) << "the user can only pick an item";
    }

    const QFont font = widget->font();
    const bool ownFont = !drawn.look.isEmpty() && drawn.look[0] != u"hidden";
    EXPECT_EQ(QFontInfo(font).family(), firstInstalled(familiesOf(ownFont ? drawn.look[0] : "宋体")));
    EXPECT_DOUBLE_EQ(font.pointSizeF(), ownFont ? drawn.look[1].toDouble() : 9.0);
    EXPECT_EQ(font.bold(), drawn.look.contains(u"bold"));
    EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut());
    EXPECT_EQ(widget->palette().color(widget->foregroundRole()), expectedInk(*widget, drawn.look));
  }
}

// The Debian faces stand in for the Windows ones, so every caption and item is drawn in a face of its
// intended style, and that face has a glyph for each of its characters (no boxes).
TEST(FormLayout, EveryCaptionHasItsGlyphsInAFaceOfItsStyle) {
  skipWithoutTheWindowsFaces();
  const Form1 form;
  for (const Drawn &drawn : drawing()) {
    SCOPED_TRACE(drawn.name.toStdString());
    const QWidget *widget = control(form, drawn.name);
    const QRawFont face = QRawFont::fromFont(widget->font());
    EXPECT_TRUE(widget->font().families().contains(face.familyName())) << face.familyName().toStdString();
    for (const QString &text : drawn.texts) {
      for (const char32_t ch : text.toStdU32String()) {
        EXPECT_TRUE(face.supportsCharacter(ch)) << "U+" << std::hex << static_cast<unsigned>(ch);
      }
    }
  }
}

// A family list keeps its order from its first installed family on, so a Windows face that is installed
// stays first; absent families before it are dropped, and a list with nothing installed is kept whole.
TEST(FormLayout, FamilyListsStartAtTheirFirstInstalledFamily) {
  skipWithoutTheWindowsFaces();
  const struct {
    QStringList families;
    QStringList expected;
  } kCases[] = {
      {{"Absent Song", "缺少的宋体", "AR PL UMing CN"}, {"AR PL UMing CN"}},
      {{"Absent Kai", "AR PL UKai CN", "WenQuanYi Zen Hei"}, {"AR PL UKai CN", "WenQuanYi Zen Hei"}},
      {{"WenQuanYi Zen Hei", "Absent Hei", "AR PL UMing CN"},
       {"WenQuanYi Zen Hei", "Absent Hei", "AR PL UMing CN"}},
      {{"absent song", "ar pl uming cn"}, {"ar pl uming cn"}},
      {{"Absent Song", "Absent Hei"}, {"Absent Song", "Absent Hei"}},
      {{}, {}},
  };
  for (const auto &[families, expected] : kCases) {
    SCOPED_TRACE(families.join(", ").toStdString());
    EXPECT_EQ(fromFirstInstalled(families), expected);
  }
}

// The values' Kai face on the systems designers use: the drawn KaiTi_GB2312 where it is still installed,
// the KaiTi of Windows 10 and 11 where it is not, and the Debian Kai face elsewhere.
TEST(FormLayout, KaiFaceFoundOnEachSystem) {
  const struct {
    QStringList installed;
    QString face;
  } kSystems[] = {
      {{"SimSun", "KaiTi_GB2312", "KaiTi"}, "KaiTi_GB2312"},
      {{"SimSun", "SimHei", "KaiTi", "Microsoft YaHei"}, "KaiTi"},
      {{"宋体", "楷体"}, "楷体"},
      {{"AR PL UKai CN", "AR PL UMing CN"}, "AR PL UKai CN"},
  };
  for (const auto &[installed, face] : kSystems) {
    SCOPED_TRACE(installed.join(", ").toStdString());
    EXPECT_EQ(fromFirstInstalled(familiesOf(Face::Kai), installed).value(0), face);
  }
}

TEST(FormLayout, WindowFrameTitleAndIcon) {
  Form1 form;
  EXPECT_TRUE(form.isWindow());
  EXPECT_EQ(form.objectName(), "Form1");
  EXPECT_EQ(form.windowTitle(), "Tavrin");
  EXPECT_EQ(form.size(), QSize(722, 561));
  EXPECT_EQ(form.windowIcon().availableSizes(), QList<QSize>({{16, 16}, {32, 32}, {48, 48}, {64, 64}}));
  EXPECT_FALSE(form.windowIcon().pixmap(32).isNull());
  EXPECT_LT(form.minimumSize().width(), form.maximumSize().width()) << "the frame is resizable";
}

TEST(FormLayout, ResizingMovesNothing) {
  Form1 form;
  form.show();
  const FormView before = viewOf(form);
  std::map<QString, QRect> places;
  for (const QWidget *widget : form.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
    places[widget->objectName()] = widget->geometry();
  }
  for (const QSize size : {QSize(1200, 900), QSize(300, 200)}) {
    form.resize(size);
    QApplication::processEvents();
    for (const auto &[name, place] : places) {
      EXPECT_EQ(control(form, name)->geometry(), place) << name.toStdString() << " at " << size.width();
    }
  }
  EXPECT_EQ(viewOf(form), before);
}

// A caption may wrap only onto the lines its label has room for; the bond-strength prompt takes three.
TEST(FormLayout, LabelsShowTheirWholeCaption) {
  skipWithoutTheWindowsFaces();
  const Form1 form;
  for (const QLabel *label : form.findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
    if (label->text().isEmpty()) {
      continue;
    }
    SCOPED_TRACE(label->objectName().toStdString());
    ASSERT_TRUE(label->wordWrap());
    const int lineSpacing = label->fontMetrics().lineSpacing();
    const int linesNeeded = label->heightForWidth(label->width()) / lineSpacing;
    EXPECT_LE(linesNeeded, std::max(1, label->height() / lineSpacing));
    if (label == form.Label28) {
      EXPECT_EQ(linesNeeded, 3);
    }
  }
}

// The default item of each list fits the list's text field beside the drop-down arrow, so it shows whole
// ("I、II类" in a list 65 pixels wide).
TEST(FormLayout, ListsShowTheirDefaultItemWhole) {
  skipWithoutTheWindowsFaces();
  Form1 form;
  form.loadForm();
  form.show();
  for (const QComboBox *list : form.findChildren<QComboBox *>(Qt::FindDirectChildrenOnly)) {
    SCOPED_TRACE(list->objectName().toStdString());
    QStyleOptionComboBox option;
    option.initFrom(list);
    const QRect field =
        list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
    EXPECT_LE(list->fontMetrics().horizontalAdvance(list->currentText()), field.width())
        << list->currentText().toStdString();
  }
}

// WCAG 2 contrast of two colours: the lighter relative luminance against the darker, each plus 0.05.
double contrast(const QColor &a, const QColor &b) {
  auto luminance = [](const QColor &colour) {
    auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
  };
  const double first = luminance(a);
  const double second = luminance(b);
  return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// The contrast of a coloured text as drawn: its most saturated pixel, the pure ink, against the commonest
// pixel, the background.
double drawnContrast(const QImage &image) {
  std::map<QRgb, int> counts;
  QRgb ink = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      ++counts[pixel];
      const auto saturation = [](QRgb p) {
        return std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)});
      };
      ink = saturation(pixel) > saturation(ink) ? pixel : ink;
    }
  }
  const auto background = std::ranges::max_element(counts, {}, &std::pair<const QRgb, int>::second)->first;
  return contrast(QColor(ink), QColor(background));
}

// Each red and blue text of a window showing values, as drawn over whatever palette the desktop gives.
std::map<std::string, double> inkContrasts() {
  AnsweredForm form; // HPB235 brings the design code's notice on plain bars
  form.loadForm();
  form.Combo4->setCurrentIndex(0); // HPB235, so the red bond-strength entry shows too
  form.Text5->setText("3.5");
  form.Command1->click();
  const QImage shot = form.grab().toImage();
  std::map<std::string, double> measured;
  for (const QWidget *text : std::initializer_list<const QWidget *>{form.Text5, form.Label14, form.Label16,
                                                                    form.Label18, form.Label20, form.Label22,
                                                                    form.Label24, form.Text6, form.Text7}) {
    measured[text->objectName().toStdString()] = drawnContrast(shot.copy(text->geometry()));
  }
  return measured;
}

// Whatever palette the desktop gives, the window keeps the colours it is drawn in, for every colour role this
// Qt knows, and each red or blue text keeps the contrast it has there (red about 3.5 : 1 on grey, 4 : 1 on
// white, blue 8.6 : 1).
TEST(FormLayout, ColoursAsDrawnWhateverTheDesktopPalette) {
  const QPalette desktop = QApplication::palette();
  const std::map<std::string, double> asDrawn = inkContrasts();
  EXPECT_NEAR(asDrawn.at("Text7"), 8.59, 0.01);

  for (const QPalette &offered : {desktop, QPalette(QColor(50, 50, 50)), QPalette(QColor(128, 128, 128)),
                                  QPalette(QColor(0, 0, 128))}) {
    SCOPED_TRACE(offered.color(QPalette::Window).name().toStdString());
    QApplication::setPalette(offered);
    const QPalette window = Form1().palette();
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
      if (role == QPalette::NoRole) {
        continue;
      }
      const auto stated = std::ranges::find(drawnColours(), role, &DrawnColour::role);
      ASSERT_NE(stated, drawnColours().end()) << "colour role " << role << " is not stated";
      for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QRgb drawn = group == QPalette::Disabled ? stated->disabled : stated->enabled;
        EXPECT_EQ(window.color(group, stated->role), QColor::fromRgba(drawn))
            << role << " in group " << group;
      }
    }
    for (const auto &[text, measured] : inkContrasts()) {
      EXPECT_GE(measured, asDrawn.at(text)) << text;
    }
  }
  QApplication::setPalette(desktop);
}

// The caption of the label that a screen reader finds for the control through its accessibility relations.
QString labelledBy(QWidget *widget) {
  QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
  const auto labels = accessible->relations(QAccessible::Label);
  return labels.size() == 1 ? labels.front().first->text(QAccessible::Name).trimmed() : QString();
}

// What a screen reader says for a control: the caption it is labelled by, then what the control shows,
// which a label gives as its name and a list or an entry as its value.
QString announced(QWidget *widget) {
  QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
  const bool label = accessible->role() == QAccessible::StaticText;
  return labelledBy(widget) + ", " + accessible->text(label ? QAccessible::Name : QAccessible::Value);
}

// Each input and each result display is announced by the caption of the label beside it, with its value;
// inputs and result boxes also carry the caption as their own name.
TEST(FormLayout, AssistiveToolsAnnounceEachInputAndResultWithItsCaption) {
  constexpr struct {
    const char *control, *label, *shows; // after a run on the default inputs
  } kAnnounced[] = {
      {"Combo1", "Label2", "C25"},    {"Combo2", "Label3", "30"},         {"Combo3", "Label4", "16"},
      {"Combo4", "Label5", "HRB335"}, {"Combo5", "Label6", "A级胶"},      {"Text1", "Label7", "100"},
      {"Text2", "Label8", "50"},      {"Combo6", "Label9", "其他构件"},   {"Text3", "Label10", "1.1"},
      {"Combo7", "Label11", "≤60℃"},  {"Text4", "Label12", ""},           {"Text5", "Label28", ""},
      {"Combo8", "Label29", ">=8"},   {"Combo9", "Label30", "6"},         {"Combo10", "Label31", "I、II类"},
      {"Label18", "Label17", "2.7"},  {"Label14", "Label13", "1"},        {"Label16", "Label15", "1.1"},
      {"Label20", "Label19", "1"},    {"Label22", "Label21", "355.5555"}, {"Label24", "Label23", "1.1"},
      {"Text6", "Label26", "16"},     {"Text7", "Label27", "430.2222"}};
  Form1 form;
  form.loadForm();
  form.Command1->click();
  for (const auto &[name, label, shows] : kAnnounced) {
    SCOPED_TRACE(name);
    const QString caption = control<QLabel>(form, label)->text().trimmed();
    EXPECT_EQ(announced(control(form, name)), caption + ", " + shows);
    if (!QString(name).startsWith(u"Label")) {
      EXPECT_EQ(control(form, name)->accessibleName(), caption);
    }
  }
}

} // namespace
} // namespace tavrin::test
