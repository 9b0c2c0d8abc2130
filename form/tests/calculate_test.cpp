#include "form/tests/form_probe.h"
#include "form/tests/pdf_text.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

namespace tavrin::test {
namespace {

// What a rejection's message box would show, read through the window's seam instead of a person.
struct ShownBox {
  QString text;
  QString title;
  QString titleBar; // what the platform is asked to show on the box's frame
  QMessageBox::StandardButtons buttons;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  FormView behind; // the window as it stood while the box was open
};

// The displays a run writes, in the order it writes them.
const std::vector<std::string> kDisplays = {"Label18", "Label14", "Label16", "Label20",
                                            "Label22", "Label24", "Text6",   "Text7"};

class Calculate : public ::testing::Test {
protected:
  void SetUp() override {
    form.answer = [this](QMessageBox &box) {
      const QWindow *frame = box.windowHandle();
      boxes.push_back({box.text(), box.windowTitle(), frame != nullptr ? frame->title() : "(no frame)",
                       box.standardButtons(), box.icon(), viewOf(form)});
    };
    form.loadForm();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }

  void press() { QTest::mouseClick(form.Command1, Qt::LeftButton); }

  QString focused() const {
    const QWidget *widget = QApplication::focusWidget();
    return widget == nullptr ? QStringLiteral("(none)") : widget->objectName();
  }

  std::vector<std::string> displays() const {
    std::vector<std::string> shown;
    const FormView view = viewOf(form);
    for (const std::string &name : kDisplays) {
      shown.push_back(view.at(name).shows);
    }
    return shown;
  }

  static void type(QLineEdit *entry, const QString &text) {
    entry->clear();
    QTest::keyClicks(entry, text);
  }

  // A Chinese input method commits its composed text to the entry instead of sending keys.
  static void commitFromInputMethod(QLineEdit *entry, const QString &text) {
    entry->clear();
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(entry, &commit);
  }

  AnsweredForm form;
  std::vector<ShownBox> boxes;
};

const std::vector<std::string> kDefaultResults = {"2.7",      "1",   "1.1", "1",
                                                  "355.5555", "1.1", "16",  "430.2222"};

TEST_F(Calculate, DefaultsShowEveryValueAndASecondPressTheSame) {
  press();
  EXPECT_EQ(displays(), kDefaultResults);
  EXPECT_TRUE(boxes.empty());
  press();
  EXPECT_EQ(displays(), kDefaultResults);
}

// Each input below stops a run from a blank window one stage later than the one before, so the displays
// already written show the order in which the run writes them.
TEST_F(Calculate, DisplaysAreWrittenInTheirOrderAndARejectionStopsTheRest) {
  const QString outOfRange = QStringLiteral("计算结果超出数值范围，请检查输入数据");
  const struct {
    const char *stage;
    std::function<void(Form1 &)> input;
    QString message;
    std::size_t written;
  } cases[] = {
      {"bond strength", [](Form1 &f) { type(f.Text1, "60"); }, "植筋间距不能小于植筋直径的5倍", 0},
      {"temperature", [](Form1 &f) { f.Combo7->setCurrentIndex(1); }, "温度影响系数不能为空值", 2},
      {"ψN", [](Form1 &f) { f.Combo7->setCurrentIndex(1), type(f.Text4, "3.3e38"); }, outOfRange, 2},
      {"ls", [](Form1 &f) { f.Combo4->setCurrentIndex(0), type(f.Text5, "1e-37"); }, outOfRange, 4},
      {"ld", [](Form1 &f) { f.Combo7->setCurrentIndex(1), type(f.Text4, "1e38"); }, outOfRange, 6},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.stage);
    form.restoreDefaults();
    boxes.clear();
    c.input(form);
    press();
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].text, c.message);
    std::vector<std::string> expected(kDisplays.size(), "");
    const FormView &behind = boxes[0].behind;
    for (std::size_t i = 0; i < kDisplays.size(); ++i) {
      EXPECT_EQ(behind.at(kDisplays[i]).shows.empty(), i >= c.written) << kDisplays[i];
    }
  }
}

TEST_F(Calculate, RejectionBoxHasOnlyTheMessageAndOk) {
  type(form.Text1, "60");
  press();
  ASSERT_EQ(boxes.size(), 1U);
  EXPECT_EQ(boxes[0].title, "");
  // Blank but not empty, which some platforms would replace with the program's name.
  EXPECT_TRUE(!boxes[0].titleBar.isEmpty() && boxes[0].titleBar.trimmed().isEmpty())
      << boxes[0].titleBar.toStdString();
  EXPECT_EQ(boxes[0].buttons, QMessageBox::Ok);
  EXPECT_EQ(boxes[0].icon, QMessageBox::NoIcon);
}

// After the box closes the named entry is emptied (spacing and edge only) and focused; the displays keep
// what an earlier run showed, and every typed text but the cleared one stays as typed.
TEST_F(Calculate, RefusedInputsClearAndFocusTheirEntry) {
  const struct {
    const char *what;
    std::function<void(Form1 &)> input;
    QString message;
    const char *focus;
    const char *cleared; // nullptr: nothing is cleared
  } cases[] = {
      {"spacing 60", [](Form1 &f) { type(f.Text1, "60"); }, "植筋间距不能小于植筋直径的5倍", "Text1",
       "Text1"},
      {"edge 30", [](Form1 &f) { type(f.Text2, "30"); }, "植筋边距不能小于植筋直径的2.5倍", "Text2", "Text2"},
      {"HPB235, empty", [](Form1 &f) { f.Combo4->setCurrentIndex(0); }, "植筋胶不能为空值", "Text5", nullptr},
      {"HPB235, 0", [](Form1 &f) { f.Combo4->setCurrentIndex(0), type(f.Text5, "0"); },
       "胶粘剂粘结强度设计值必须大于0", "Text5", nullptr},
      {"HPB235, abc", [](Form1 &f) { f.Combo4->setCurrentIndex(0), type(f.Text5, "abc"); },
       "胶粘剂粘结强度设计值必须是数值", "Text5", nullptr},
      {"moisture abc", [](Form1 &f) { type(f.Text3, "abc"); }, "混凝土孔壁潮湿影响系数必须是数值", "Text3",
       nullptr},
      {"moisture empty", [](Form1 &f) { f.Text3->clear(); }, "混凝土孔壁潮湿影响系数不能为空值", "Text3",
       nullptr},
      {">60℃, abc", [](Form1 &f) { f.Combo7->setCurrentIndex(1), type(f.Text4, "abc"); },
       "温度影响系数必须是数值", "Text4", nullptr},
      {">60℃, 0.8", [](Form1 &f) { f.Combo7->setCurrentIndex(1), type(f.Text4, "0.8"); },
       "温度影响系数不能小于1", "Text4", nullptr},
      {"C30 A, 120abc", [](Form1 &f) { f.Combo1->setCurrentIndex(2), type(f.Text1, "120abc"); },
       "植筋间距必须是数值", "Text1", nullptr},
      {"C30 A, edge 60mm", [](Form1 &f) { f.Combo1->setCurrentIndex(2), type(f.Text2, "60mm"); },
       "植筋边距必须是数值", "Text2", nullptr},
      {"diameter reads 0", [](Form1 &f) { f.Combo3->setCurrentIndex(-1); },
       "计算结果超出数值范围，请检查输入数据", "Command1",
       nullptr}, // no entry to blame: focus stays on the button
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    form.restoreDefaults();
    press(); // an earlier complete run
    boxes.clear();
    form.Combo1->setFocus();
    c.input(form);
    const FormView typed = viewOf(form);
    press();
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].text, c.message);
    EXPECT_EQ(focused(), c.focus);
    FormView expected = typed;
    if (c.cleared != nullptr) {
      expected[c.cleared].shows.clear();
    }
    FormView after = viewOf(form);
    for (const std::string &display : kDisplays) { // values a stopped run reached may be rewritten
      expected.erase(display), after.erase(display);
    }
    EXPECT_EQ(after, expected);
  }
}

TEST_F(Calculate, BondStrengthRefusalWritesNothing) {
  press();
  form.Combo4->setCurrentIndex(0);
  press();
  EXPECT_EQ(displays(), kDefaultResults);
  type(form.Text5, "0");
  press();
  EXPECT_EQ(displays(), kDefaultResults);
  EXPECT_EQ(boxes.size(), 2U);
}

TEST_F(Calculate, TemperatureRefusalKeepsTheLaterValuesOfTheEarlierRun) {
  press();
  form.Combo6->setCurrentIndex(0); // ψbr 1.5
  form.Combo7->setCurrentIndex(1);
  press();
  std::vector<std::string> expected = kDefaultResults;
  expected[1] = "1.5";
  EXPECT_EQ(displays(), expected);
  EXPECT_EQ(focused(), "Text4");
}

TEST_F(Calculate, LowMoistureFactorIsRaisedAndUsed) {
  form.Combo6->setCurrentIndex(1); // ψbr 1.15
  type(form.Text3, "0.9");
  press();
  EXPECT_EQ(form.Text3->text(), "1.1");
  EXPECT_EQ(form.Label16->text(), "1.265");
  EXPECT_TRUE(boxes.empty());
}

// In full-width or Chinese-punctuation mode a number is read as its ASCII counterpart and stays as typed; a
// low moisture factor is still raised to its floor. C30 with the A grade reads the spacing both ways.
TEST_F(Calculate, NumbersFromAChineseInputMethodAreReadAndKeptAsTyped) {
  const struct {
    QLineEdit *Form1::*entry;
    QString typed;
    const char *display;
    std::string shows;
    QString entryAfter;
  } cases[] = {
      {&Form1::Text1, "１００", "Label18", "3.6", "１００"},
      {&Form1::Text1, "　100", "Label18", "3.6", "　100"},
      {&Form1::Text1, "100　", "Label18", "3.6", "100　"},
      {&Form1::Text3, "１．２", "Label16", "1.2", "１．２"},
      {&Form1::Text3, "1。2", "Label16", "1.2", "1。2"},
      {&Form1::Text3, "１.２", "Label16", "1.2", "１.２"},
      {&Form1::Text3, "０．９", "Label16", "1.1", "1.1"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    form.restoreDefaults();
    boxes.clear();
    form.Combo1->setCurrentIndex(2);
    commitFromInputMethod(form.*c.entry, c.typed);
    press();
    EXPECT_EQ(boxes.size(), 0U);
    EXPECT_EQ(viewOf(form).at(c.display).shows, c.shows);
    EXPECT_EQ((form.*c.entry)->text(), c.entryAfter);
  }
}

// How a text reaches an entry: pasted over its whole text, pasted at the cursor right after typing there,
// dropped, committed by an input method, or pasted from the entry's context menu.
enum class Arrival { PastedOverAll, PastedAfterTyping, Dropped, Committed, PastedFromMenu };

void prepare(QLineEdit *entry, Arrival arrival) {
  if (arrival == Arrival::PastedAfterTyping) {
    entry->setCursorPosition(1);
    QTest::keyClick(entry, Qt::Key_5);
  } else if (arrival == Arrival::Dropped || arrival == Arrival::Committed) {
    entry->clear();
  } else {
    entry->selectAll();
  }
}

void deliver(QLineEdit *entry, Arrival arrival, const QString &text) {
  QApplication::clipboard()->setText(text);
  QMimeData dragged;
  dragged.setText(text);
  const QPoint place(1, entry->height() / 2);
  QDragEnterEvent enter(place, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
  QDropEvent drop(place, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
  QInputMethodEvent commit;
  commit.setCommitString(text);
  QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, place, entry->mapToGlobal(place));
  switch (arrival) {
  case Arrival::Dropped: // a drop goes to the widget that took the drag as it entered
    QApplication::sendEvent(entry, &enter), QApplication::sendEvent(entry, &drop);
    return;
  case Arrival::Committed:
    QApplication::sendEvent(entry, &commit);
    return;
  case Arrival::PastedFromMenu: {
    QApplication::sendEvent(entry, &menuKey);
    QWidget *menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr);
    for (QAction *action : menu->actions()) {
      if (action->text().startsWith(QLineEdit::tr("&Paste"))) {
        action->trigger();
      }
    }
    menu->close();
    return;
  }
  default:
    QTest::keySequence(entry, QKeySequence::Paste);
  }
}

// Numbers copied from a spreadsheet (with the cell's line break) or a document (no-break space) are read as
// shown, control characters and line breaks shown as blanks, however they arrive; a number in digit groups
// is refused as no number and kept. Ctrl+Z takes the arrived text back whole and nothing before it.
TEST_F(Calculate, PastedNumbersAreReadAsShown) {
  using enum Arrival;
  const struct {
    QLineEdit *Form1::*entry;
    Arrival arrival;
    QString pasted;
    QString entryAfter;
    QString message; // none: the run completes
  } cases[] = {
      {&Form1::Text3, PastedOverAll, "1.2\r\n", "1.2  ", ""},
      {&Form1::Text2, PastedOverAll, "\t50\v\u0085\u2029", " 50   ", ""},
      {&Form1::Text1, PastedOverAll, "\u00A0100", "\u00A0100", ""},
      {&Form1::Text1, PastedOverAll, "1,000", "1,000", "植筋间距必须是数值"},
      {&Form1::Text2, PastedOverAll, "1 000", "1 000", "植筋边距必须是数值"},
      {&Form1::Text1, PastedAfterTyping, "0\r\n", "150  00", "植筋间距必须是数值"},
      {&Form1::Text3, Dropped, "1.2\r\n", "1.2  ", ""},
      {&Form1::Text2, Committed, "50\u2028", "50 ", ""},
      {&Form1::Text3, PastedFromMenu, "1.2\n", "1.2 ", ""},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.pasted.toStdString());
    form.restoreDefaults();
    boxes.clear();
    QLineEdit *entry = form.*c.entry;
    prepare(entry, c.arrival);
    const QString before = entry->text();
    deliver(entry, c.arrival, c.pasted);
    press();
    EXPECT_EQ(entry->text(), c.entryAfter);
    EXPECT_EQ(boxes.empty() ? QString() : boxes[0].text, c.message);
    QTest::keySequence(entry, QKeySequence::Undo);
    EXPECT_EQ(entry->text(), before);
  }
}

// Emptied value labels are back at their drawn width, so an earlier long value never covers a caption.
TEST_F(Calculate, RestoreDefaultsEmptiesWhatARunShowed) {
  std::map<std::string, QRect> drawn;
  for (const std::string &name : kDisplays) {
    drawn[name] = control(form, QString::fromStdString(name))->geometry();
  }
  for (const bool stoppedPartWay : {false, true}) {
    SCOPED_TRACE(stoppedPartWay ? "stopped part-way" : "complete");
    form.restoreDefaults();
    form.Combo7->setCurrentIndex(stoppedPartWay ? 1 : 0);
    press();
    QTest::mouseClick(form.Command2, Qt::LeftButton);
    EXPECT_EQ(displays(), std::vector<std::string>(kDisplays.size(), ""));
    for (const auto &[name, place] : drawn) {
      EXPECT_EQ(control(form, QString::fromStdString(name))->geometry(), place) << name;
    }
  }
}

// A value label is drawn narrower than some values; it grows so no digit is cut off.
TEST_F(Calculate, ValuesShowInFull) {
  press();
  for (const char *name : {"Label18", "Label14", "Label16", "Label20", "Label22", "Label24"}) {
    const auto *label = control<QLabel>(form, name);
    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text())) << name;
  }
}

// Each result's working, as tooltip and as accessible description, after presses in this order; kSame
// stands for the previous case's text. The working begins with the value as shown (its rules are the
// calculation's to state). A refused run leaves the values it did not reach with the workings of the run
// that wrote them, and restore defaults empties every one.
TEST_F(Calculate, EachResultCarriesTheWorkingOfTheValueOnView) {
  const QString kSame = QStringLiteral("(as before)");
  const struct {
    const char *what;
    std::function<void(Form1 &)> input;
    std::vector<QString> workings; // how each begins, in the order of kDisplays
  } cases[] = {
      {"defaults",
       [](Form1 &f) { f.restoreDefaults(); },
       {"fbd = 2.7 N/mm²\n", "ψbr = 1（", "ψN = ψw × ψbr × ψT = 1.1 × 1 × 1 = 1.1（", "αspt = 1（",
        "ls = 0.2 × αspt × d × fy / fbd = 0.2 × 1 × 16 × 300 / 2.7 = 355.5555 mm（", "ψae = 1.1（",
        "d = 16 mm（", "ld = ψN × ψae × ls = 1.1 × 1.1 × 355.5555 = 430.2222 mm\n"}},
      {"HPB235, fbd typed",
       [](Form1 &f) { f.restoreDefaults(), f.Combo4->setCurrentIndex(0), type(f.Text5, "3.3"); },
       {"fbd = 3.3 N/mm²（按输入值", kSame, kSame, kSame,
        "ls = 0.2 × αspt × d × fy / fbd = 0.2 × 1 × 16 × 210 / 3.3 = 203.6364 mm（", kSame, kSame,
        "ld = ψN × ψae × ls = 1.1 × 1.1 × 203.6364 = 246.4 mm\n"}},
      {"refused at the temperature factor",
       [](Form1 &f) { f.Combo6->setCurrentIndex(0), f.Combo7->setCurrentIndex(1), f.Text4->clear(); },
       {kSame, "ψbr = 1.5（", kSame, kSame, kSame, kSame, kSame, kSame}},
  };
  std::vector<QString> expected(kDisplays.size());
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    c.input(form);
    press();
    for (std::size_t i = 0; i < kDisplays.size(); ++i) {
      expected[i] = c.workings[i] == kSame ? expected[i] : c.workings[i];
      const QWidget *display = control(form, QString::fromStdString(kDisplays[i]));
      EXPECT_TRUE(display->toolTip().startsWith(expected[i]))
          << kDisplays[i] << ": " << display->toolTip().toStdString();
      EXPECT_EQ(display->accessibleDescription(), display->toolTip()) << kDisplays[i];
    }
  }
  EXPECT_EQ(boxes.size(), 2U); // the notice on plain bars, the refused temperature factor
  QTest::mouseClick(form.Command2, Qt::LeftButton);
  for (const std::string &name : kDisplays) {
    const QWidget *display = control(form, QString::fromStdString(name));
    EXPECT_EQ(display->toolTip() + display->accessibleDescription(), "") << name;
  }
}

// Copying, printing and saving the note work on the record of the last completed run, or open no dialog and
// show a box that says why: before any run, after an input changed or a press was refused, after restore
// defaults. A run with a case the design code does not allow lists it in one box, leaves the results on view,
// and its note does not let the depth go on the drawing.
TEST_F(Calculate, CalculationNoteIsTheRecordOfTheLastCompletedRun) {
  const QTemporaryDir folder;
  form.printedTo = folder.filePath("printed.pdf"), form.savedTo = folder.filePath("计算书.pdf");
  QClipboard *clipboard = QGuiApplication::clipboard();
  clipboard->setText(QStringLiteral("earlier"));
  const auto command = [this](void (Form1::*given)()) {
    boxes.clear(), form.dialogsAsked = 0;
    (form.*given)();
    return boxes.empty() ? QString() : boxes.front().text;
  };
  const auto copyNote = [&] { return command(&Form1::copyCalculationNote); };
  const auto everyCommand = [&](const QString &why) {
    EXPECT_EQ(copyNote(), why.arg("复制"));
    EXPECT_EQ(command(&Form1::printCalculationNote), why.arg("打印"));
    EXPECT_EQ(command(&Form1::saveCalculationNotePdf), why.arg("保存"));
    EXPECT_EQ(form.dialogsAsked, 0) << "no dialog without a note";
  };
  const QString noRun = QStringLiteral("尚未计算，请先按“计　　算”再%1计算书");
  const QString changed = QStringLiteral("输入已改动，请重新计算后再%1计算书");
  everyCommand(noRun);

  form.Combo3->setCurrentIndex(9), form.Combo5->setCurrentIndex(1); // 25 mm with B-grade adhesive
  type(form.Text1, "150"), type(form.Text2, "80"), type(form.Text3, "0.9");
  boxes.clear();
  press();
  const QString notice =
      QStringLiteral("GB 50367-2013 第15.1.5条：植筋直径大于22mm时应采用A级胶，不应采用B级胶");
  ASSERT_EQ(boxes.size(), 1U);
  EXPECT_TRUE(boxes[0].text.endsWith('\n' + notice)) << boxes[0].text.toStdString();
  EXPECT_EQ(boxes[0].behind.at("Text7").shows, "672.2222") << "the results stay on view behind the box";
  EXPECT_EQ(copyNote(), QString());
  const QString text = clipboard->mimeData()->text();
  const QStringList lines = text.split('\n');
  for (const QString &line : std::initializer_list<QString>{
           "Tavrin 1.0.0 植筋计算书", "植筋直径 d：25 mm", "结构胶粘剂等级：B级胶", "植筋间距 s：150 mm",
           "混凝土孔壁潮湿影响系数 ψw：0.9，小于 1.1，取 1.1", "植筋锚固深度 ld：672.2222 mm", notice,
           "取用植筋锚固深度 680 mm（27.2d）：ld = 672.2222 mm ≥ lmin = 333.3333 mm，取 ld，按 10 mm "
           "向上取整；仅供参考。",
           "植筋直径 d（mm） 32：规范提示／不能计算的原因 植筋间距不能小于植筋直径的5倍"}) {
    EXPECT_TRUE(lines.contains(line)) << line.toStdString() << " in\n" << text.toStdString();
  }
  EXPECT_TRUE(text.contains("计算结果不得用于施工图")) << "a forbidden case decides nothing for the drawing";
  EXPECT_FALSE(text.contains("温度影响系数 ψT")) << "a hidden entry takes no part";
  EXPECT_TRUE(clipboard->mimeData()->html().contains(notice));

  // Printed and saved, each page under the title and the project, with its number of the whole.
  EXPECT_EQ(command(&Form1::printCalculationNote), QString());
  EXPECT_EQ(command(&Form1::saveCalculationNotePdf), QString());
  for (const QString &pdf : {form.printedTo, form.savedTo}) {
    expectNoteInPdf(pdf, {"工程名称：某办公楼加固", "构件（部位）：二层梁 KL3", "取用植筋锚固深度 680 mm",
                          "第 1 页 共 "});
  }
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2) << "nothing left beside the PDF";
  form.savedTo = folder.filePath("no such folder/计算书.pdf");
  EXPECT_TRUE(command(&Form1::saveCalculationNotePdf)
                  .startsWith("无法保存计算书：\n" + QDir::toNativeSeparators(form.savedTo) + '\n'));

  form.Combo1->setCurrentIndex(0);
  everyCommand(changed);
  form.Combo1->setCurrentIndex(1); // as the run had it
  EXPECT_EQ(copyNote(), QString());
  const QString note = clipboard->text();
  EXPECT_TRUE(note.contains("工程名称：某办公楼加固"))
      << "the note is headed by the project and position it is for";
  type(form.Text1, "60");
  press();
  EXPECT_EQ(copyNote(), changed.arg("复制")) << "a refused press";
  form.restoreDefaults();
  everyCommand(noRun);
  EXPECT_EQ(clipboard->text(), note);
}

// F1 looks beside the program first, then in the package's documentation folder, and says where it looked.
TEST_F(Calculate, F1OpensTheManualOrNamesWhereItLooked) {
  const QTemporaryDir root;
  const QString bin = root.path() + "/bin";
  const QString doc = root.path() + "/share/doc/tavrin";
  ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(doc));
  std::vector<QUrl> opened;
  form.folder = bin;
  bool browserOpens = true;
  form.browser = [&](const QUrl &file) { return opened.push_back(file), browserOpens; };
  const struct {
    const char *what;
    QString added; // a manual put in place before F1
    bool browserOpens;
    QString opens;
    QString message;
  } cases[] = {
      {"missing", "", true, "",
       "未找到使用说明 manual.html，已查找：\n" +
           QDir::toNativeSeparators(bin + "/manual.html\n" + doc + "/manual.html")},
      {"installed", doc + "/manual.html", true, doc + "/manual.html", ""},
      {"beside the program", bin + "/manual.html", true, bin + "/manual.html", ""},
      {"no browser", "", false, bin + "/manual.html",
       "无法用浏览器打开使用说明：\n" + QDir::toNativeSeparators(bin + "/manual.html")},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    if (!c.added.isEmpty()) {
      QFile manual(c.added);
      ASSERT_TRUE(manual.open(QIODevice::WriteOnly));
    }
    browserOpens = c.browserOpens;
    opened.clear();
    boxes.clear();
    form.openManual();
    EXPECT_EQ(opened, c.opens.isEmpty() ? std::vector<QUrl>{} : std::vector{QUrl::fromLocalFile(c.opens)});
    ASSERT_EQ(boxes.size(), c.message.isEmpty() ? 0U : 1U);
    if (!c.message.isEmpty()) {
      EXPECT_EQ(boxes[0].text, c.message);
    }
  }
}

} // namespace
} // namespace tavrin::test
