#include "form/form1.h"

#include "form/form_layout.h"

#include <QApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QImageReader>
#include <QMessageBox>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleOptionComplex>
#include <QValidator>
#include <QWindow>

#include <algorithm>
#include <limits>
#include <type_traits>
#include <vector>

// The icons are compiled into this static library, so the program must register them itself.
static void registerIcons() {
  Q_INIT_RESOURCE(tavrin);
}

namespace tavrin {
namespace {

QString qText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Captions start at the top of their label. Where the font's line is taller than the label (the large
// fonts in one-line labels), the line is centred instead: the glyphs sit well inside the line's height,
// so they then show whole rather than cut off at the bottom.
QString captionOf(const ControlSpec &spec) {
  const auto *caption = std::get_if<std::string_view>(&spec.shows);
  return caption != nullptr ? qText(*caption) : QString();
}

void setUp(QLabel &label, const ControlSpec &spec) {
  label.setTextFormat(Qt::PlainText);
  label.setText(captionOf(spec));
  label.setWordWrap(true);
  const bool lineTallerThanLabel = QFontMetrics(fontFor(spec.look)).height() > pixelRect(spec).height();
  label.setAlignment(Qt::AlignLeft | (lineTallerThanLabel ? Qt::AlignVCenter : Qt::AlignTop));
  label.setMinimumWidth(pixelRect(spec).width()); // a value label grows to its value, never below this
}

// A number copied from a spreadsheet cell comes with the cell's line break, and cells copied together with
// tabs between them. A line edit keeps such characters in its text but draws them as blanks, so the text
// read would not be the text shown: an entry turns each control character or line break into the blank
// it is drawn as, and keeps the rest of what was pasted or typed as it came. The cursor stays before the
// blanks that end a paste, so a narrow entry keeps the number in view rather than scroll to them.
class OneLineText : public QValidator {
public:
  using QValidator::QValidator;
  State validate(QString &text, int &cursor) const override {
    while (cursor > 0 && breaksTheLine(text.at(cursor - 1))) {
      --cursor;
    }
    for (QChar &character : text) {
      if (breaksTheLine(character)) {
        character = u' ';
      }
    }
    return Acceptable;
  }

private:
  static bool breaksTheLine(QChar character) {
    return character.category() == QChar::Other_Control || character == QChar::LineSeparator ||
           character == QChar::ParagraphSeparator;
  }
};

// Qt cuts a typed or pasted text at 32,767 characters by default; an entry takes the whole text, and the
// calculation judges it.
void setUp(QLineEdit &entry, const ControlSpec & /*spec*/) {
  entry.setMaxLength(std::numeric_limits<int>::max());
  entry.setValidator(new OneLineText(&entry));
}

void setUp(QComboBox &list, const ControlSpec &spec) {
  list.setEditable(false);
  if (const auto *items = std::get_if<const ItemList *>(&spec.shows)) {
    for (const std::string_view item : (*items)->items) {
      list.addItem(qText(item));
    }
  }
  list.setCurrentIndex(-1); // adding items selects the first one; the window starts with none chosen
}

void setUp(QPushButton &button, const ControlSpec &spec) {
  button.setText(captionOf(spec));
  // Not a default button, so Enter presses nothing; a plain window has no cancel button for Esc either.
  button.setAutoDefault(false);
  button.setDefault(false);
}

// The window's own look: its font is the one every control inherits unless its look names another.
constexpr Look kWindowLook{};

bool sameFont(const Look &a, const Look &b) {
  return a.face == b.face && a.points == b.points && a.bold == b.bold;
}

// A control in the window's font inherits it rather than setting an equal one: setting a font sends a font
// change, which a line edit answers by laying out its text again and a list by building its drop-down
// popup, long before anyone opens it.
void applyLook(QWidget &control, const Look &look) {
  if (!sameFont(look, kWindowLook)) {
    control.setFont(fontFor(look));
  }
  if (const QColor ink = inkColour(look.ink); ink.isValid()) {
    QPalette palette = control.palette();
    palette.setColor(control.foregroundRole(), ink);
    control.setPalette(palette);
  }
}

// The lists are drawn narrow for their items (a site class in 65 pixels); a slimmer drop-down arrow than the
// usual one leaves the chosen item room to show in full.
class SlimArrowStyle : public QProxyStyle {
public:
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl part,
                       const QWidget *widget) const override {
    QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
    if (control != CC_ComboBox) {
      return rect;
    }
    const int arrowLeft = option->rect.right() - kArrowWidth;
    if (part == SC_ComboBoxArrow) {
      rect.setLeft(arrowLeft + 1);
    } else if (part == SC_ComboBoxEditField) {
      rect.setRight(arrowLeft);
    }
    return rect;
  }

private:
  static constexpr int kArrowWidth = 15;
};

// The 16 to 64 pixel renditions, the larger two for screens scaled by 1.5 and 2, read as the PNG files they
// are: a reader left to detect the format first loads every image plug-in installed to ask whether it can
// read the file.
QIcon programIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48, 64}) {
    QImageReader reader(QStringLiteral(":/icons/tavrin-%1.png").arg(size), "png");
    reader.setAutoDetectImageFormat(false);
    icon.addPixmap(QPixmap::fromImage(reader.read()));
  }
  return icon;
}

// The message as the only text: no title, no icon, a single OK button. On X11 and Wayland Qt puts the
// program's name on the title bar of a window whose title is empty; the box keeps its empty title, which
// assistive tools read, and its native window is given a lone space, which shows as an empty title bar.
class UntitledMessageBox : public QMessageBox {
public:
  UntitledMessageBox(const QString &message, QWidget *parent)
      : QMessageBox(NoIcon, QString(), message, Ok, parent) {
    create(); // not winId(), which would also make every control of the parent a native window
    windowHandle()->setTitle(QStringLiteral(" "));
  }
};

} // namespace

// The slim arrows come from the application's style rather than from a style given to each list: a list
// given a style of its own builds its drop-down popup there and then, ten popups before the first paint.
// Installed before any window exists, so no widget needs restyling.
void setUpApplication() {
  registerIcons();
  QApplication::setStyle(new SlimArrowStyle);
}

Form1::Form1(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Tavrin"));
  setWindowIcon(programIcon());
  // The red and blue values were chosen against the drawn light grey and white; on a dark desktop palette
  // the blue ones all but vanish, so the window keeps the colours it was drawn in.
  setPalette(drawnPalette());
  setFont(fontFor(kWindowLook));
  resize(kClientWidthTwips / kTwipsPerPixel, kClientHeightTwips / kTwipsPerPixel);

  createControls();
  nameInputsForAssistiveTools();
  chainTabOrder();
  connectReactions();
  connectShortcuts();
  Combo1->setFocus();
}

// No layout manager: every control keeps its drawn place and size whatever the window's size.
void Form1::createControls() {
  for (const ControlSpec &spec : formLayout()) {
    std::visit(
        [&](auto member) {
          using Control = std::remove_pointer_t<std::remove_reference_t<decltype(this->*member)>>;
          auto *control = new Control(this);
          control->setObjectName(qText(spec.name));
          control->setGeometry(pixelRect(spec));
          setUp(*control, spec);
          applyLook(*control, spec.look);
          control->setHidden(spec.hiddenAtCreation);
          this->*member = control;
        },
        spec.member);
  }
}

// A screen reader announces each input and result by the caption beside it ("混凝土强度等级, C25"). Some
// platforms take the name from the control itself, others from the label whose buddy the control is. A
// value label keeps its text as its name, which is how a label's value reaches assistive tools; the
// caption, through the buddy, is read with it ("构件受力状态影响系数ψbr:, 1").
void Form1::nameInputsForAssistiveTools() {
  for (const NamedBy &pair : namingLabels()) {
    QWidget *control = widgetOf(*this, pair.control);
    QLabel *label = this->*pair.label;
    if (!std::holds_alternative<QLabel * Form1::*>(pair.control)) {
      control->setAccessibleName(label->text().trimmed());
    }
    label->setBuddy(control);
  }
}

// Labels never take the focus; the other controls follow their tab places, and Qt skips hidden ones.
void Form1::chainTabOrder() {
  std::vector<const ControlSpec *> focusable;
  for (const ControlSpec &spec : formLayout()) {
    if (!std::holds_alternative<QLabel * Form1::*>(spec.member)) {
      focusable.push_back(&spec);
    }
  }
  std::ranges::sort(focusable, {}, &ControlSpec::tabPlace);
  for (std::size_t i = 1; i < focusable.size(); ++i) {
    setTabOrder(widgetOf(*this, focusable[i - 1]->member), widgetOf(*this, focusable[i]->member));
  }
}

void Form1::connectReactions() {
  connect(Combo4, &QComboBox::currentIndexChanged, this, &Form1::steelGradeSelected);
  connect(Combo7, &QComboBox::currentIndexChanged, this, &Form1::serviceTemperatureSelected);
  connect(Command1, &QPushButton::clicked, this, &Form1::calculateCommand);
  connect(Command2, &QPushButton::clicked, this, &Form1::restoreDefaults);
}

void Form1::showMessage(const QString &message) {
  UntitledMessageBox box(message, this);
  box.setPalette(palette()); // a window of its own inherits none of the parent's colours
  execMessageBox(box);
}

void Form1::execMessageBox(QMessageBox &box) {
  box.exec();
}

} // namespace tavrin
