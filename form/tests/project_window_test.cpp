#include "form/project_window.h"
#include "form/tests/form_probe.h"
#include "form/tests/pdf_text.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QListWidget>
#include <QMimeData>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tavrin::test {
namespace {

// The project window with its file dialogs and text prompts answered by the test and its message boxes read
// and answered through the form: each box is recorded and the button named in `answers` is pressed (none
// where none is left: the box is closed without an answer).
class AnsweredWindow : public ProjectWindow {
public:
  AnsweredWindow(AnsweredForm *form, const QString &recoveryFolder, std::vector<QString> &boxes,
                 std::vector<QString> &answers)
      : ProjectWindow(form, recoveryFolder), form_(form) {
    form_->answer = [&boxes, &answers](QMessageBox &box) {
      boxes.push_back(box.text());
      const QString wanted = answers.empty() ? QString() : answers.front();
      if (!answers.empty()) {
        answers.erase(answers.begin());
      }
      for (QAbstractButton *button : box.buttons()) {
        if (button->text() == wanted && button->isVisibleTo(&box)) {
          button->click();
        }
      }
    };
  }
  AnsweredForm *form_;
  QString openPath, savePath, typedText, printedTo, exportPath;

protected:
  QString chooseFileToOpen() override { return openPath; }
  QString chooseFileToSave(const QString & /*suggested*/) override { return savePath; }
  bool choosePrinter(QPrinter &printer) override {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printedTo);
    return true;
  }
  QString chooseExportPath(const QString &, const QString &, const QString &) override { return exportPath; }
  bool askText(const QString & /*title*/, const QString & /*caption*/, QString &text) override {
    text = typedText;
    return true;
  }
};

class Projects : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    QStandardPaths::setTestModeEnabled(true); // the recent files go to a test folder, not the user's
    QCoreApplication::setOrganizationName(QStringLiteral("Tavrin tests"));
  }
  std::unique_ptr<AnsweredWindow> openWindow() {
    auto window =
        std::make_unique<AnsweredWindow>(new AnsweredForm, folder.filePath("recovery"), boxes, answers);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    return window;
  }
  // Each key as a user presses it with the focus in the spacing entry.
  void keyFromSpacing(AnsweredWindow &window, QKeySequence keys) {
    window.form().Text1->setFocus();
    QTest::keySequence(window.form().Text1, keys);
  }
  static void type(QLineEdit *entry, const QString &text) {
    entry->selectAll();
    QTest::keyClicks(entry, text);
  }
  static QStringList rows(const AnsweredWindow &window) {
    QStringList texts;
    for (int i = 0; i < window.positionList().count(); ++i) {
      texts.append(window.positionList().item(i)->text());
    }
    return texts;
  }

  QString lastBox() const { return boxes.empty() ? QStringLiteral("(no box)") : boxes.back(); }
  qsizetype recoveries() const { return QDir(folder.filePath("recovery")).entryList({"*.tavrin"}).size(); }

  QTemporaryDir folder;
  std::vector<QString> boxes, answers;
};

QByteArray bytesOf(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

// A job built, saved, edited, prompted about and opened again with the keyboard alone, every key pressed
// from the spacing entry but F2 and Delete, which act on the list of positions.
TEST_F(Projects, BuildSaveAndReopenAJobWithTheKeys) {
  auto window = openWindow();
  Form1 &form = window->form();
  EXPECT_EQ(QApplication::focusWidget(), form.Combo1);
  EXPECT_EQ(window->windowTitle(), "Tavrin[*]");
  EXPECT_FALSE(window->isWindowModified()) << "the untitled project as it opens asks nothing";
  const QString path = folder.filePath("某办公楼.tavrin");
  window->savePath = path;

  form.Combo9->setCurrentIndex(3); // 8度 for the whole job
  type(form.Text1, "150");
  EXPECT_TRUE(window->isWindowModified());
  keyFromSpacing(*window, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
  EXPECT_EQ(form.Combo9->currentText(), ">=8") << "a new position starts from the one on view";
  form.Combo3->setCurrentIndex(7); // 20 mm
  QTest::mouseClick(form.Command1, Qt::LeftButton);
  keyFromSpacing(*window, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
  type(form.Text2, "90");
  EXPECT_EQ(rows(*window),
            QStringList({"部位 1\n未计算", "部位 2\n取用 620 mm", "部位 2（副本）\n已改动，未重新计算"}));
  std::vector<InputState> built;
  for (const int row : {0, 1}) {
    window->positionList().setCurrentRow(row);
    built.push_back(form.inputState());
  }
  keyFromSpacing(*window, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  EXPECT_EQ(window->windowTitle(), "某办公楼[*] - Tavrin");
  EXPECT_FALSE(window->isWindowModified());

  // The note of the position on view, headed by the project and the position.
  window->typedText = QStringLiteral("某办公楼加固");
  window->editProjectInfo();
  window->positionList().setCurrentRow(1);
  keyFromSpacing(*window, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  EXPECT_TRUE(QGuiApplication::clipboard()->text().contains("构件（部位）：部位 2"));
  EXPECT_TRUE(QGuiApplication::clipboard()->text().contains("工程名称：某办公楼加固"));
  window->form_->savedTo = folder.filePath("计算书.pdf");
  keyFromSpacing(*window, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
  EXPECT_TRUE(QFile::exists(window->form_->savedTo));
  bool manualOpened = false;
  window->form_->browser = [&](const QUrl &) { return manualOpened = true; };
  window->form_->folder = folder.path();
  QFile(folder.filePath("manual.html")).open(QIODevice::WriteOnly);
  keyFromSpacing(*window, QKeySequence(Qt::Key_F1));
  EXPECT_TRUE(manualOpened);

  // F2 and Delete on the list; Ctrl+S saves over the file, and asks first where it changed on disk.
  window->positionList().setFocus();
  window->typedText = QStringLiteral("二层梁 KL3");
  QTest::keyClick(&window->positionList(), Qt::Key_F2);
  keyFromSpacing(*window, QKeySequence(Qt::Key_Delete));
  EXPECT_EQ(window->positionList().count(), 3) << "Delete in an entry deletes a character";
  window->positionList().setCurrentRow(2);
  window->positionList().setFocus();
  answers = {"删除"};
  QTest::keyClick(&window->positionList(), Qt::Key_Delete);
  EXPECT_EQ(lastBox(), "删除部位“部位 2（副本）”？");
  QFile changed(path);
  changed.open(QIODevice::Append), changed.write("\n"), changed.close();
  answers = {"取消"};
  keyFromSpacing(*window, QKeySequence(Qt::CTRL | Qt::Key_S));
  EXPECT_TRUE(lastBox().startsWith("工程文件在打开或上次保存后已被改动"));
  answers = {"覆盖"};
  keyFromSpacing(*window, QKeySequence(Qt::CTRL | Qt::Key_S));
  EXPECT_FALSE(window->isWindowModified());

  // Unsaved changes are asked about before a new project, and 取消 keeps them.
  type(form.Text3, "1.2");
  answers = {"取消"};
  keyFromSpacing(*window, QKeySequence(Qt::CTRL | Qt::Key_N));
  EXPECT_EQ(lastBox(), "“某办公楼.tavrin”有未保存的改动，是否保存？");
  EXPECT_EQ(form.Text3->text(), "1.2");
  answers = {"不保存"};
  keyFromSpacing(*window, QKeySequence(Qt::CTRL | Qt::Key_N));
  EXPECT_EQ(rows(*window), QStringList({"部位 1\n未计算"}));

  // Opened again: every input of each position as saved, the calculated one shown with its results.
  window->openPath = path;
  keyFromSpacing(*window, QKeySequence(Qt::CTRL | Qt::Key_O));
  EXPECT_EQ(rows(*window), QStringList({"部位 1\n未计算", "二层梁 KL3\n取用 620 mm"}));
  window->positionList().setCurrentRow(1);
  EXPECT_EQ(form.Text7->text(), "611.1111");
  EXPECT_EQ(form.inputState(), built[1]);
  window->positionList().setCurrentRow(0);
  EXPECT_EQ(form.inputState(), built[0]);
  EXPECT_EQ(form.Text7->text(), "");

  // A press refused with its inputs on view is saved as refused and opens so again.
  type(form.Text2, "x");
  QTest::mouseClick(form.Command1, Qt::LeftButton);
  keyFromSpacing(*window, QKeySequence(Qt::CTRL | Qt::Key_S));
  keyFromSpacing(*window, QKeySequence(Qt::CTRL | Qt::Key_O));
  EXPECT_EQ(rows(*window), QStringList({"部位 1\n未能计算", "二层梁 KL3\n取用 620 mm"}));

  // A file that is not a project, dropped on an entry, changes nothing, itself included.
  const QString cut = folder.filePath("cut.tavrin");
  QFile file(cut);
  file.open(QIODevice::WriteOnly), file.write(bytesOf(path).left(100)), file.close();
  QMimeData dragged;
  dragged.setUrls({QUrl::fromLocalFile(cut)});
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form.Text1, &enter); // a drop goes where the drag was taken in
  QApplication::sendEvent(form.Text1, &drop);
  EXPECT_EQ(form.Text1->text(), "150") << "the entry takes no file name";
  EXPECT_TRUE(lastBox().startsWith("无法打开工程文件：\n" + QDir::toNativeSeparators(cut) + "\n"))
      << lastBox().toStdString();
  EXPECT_EQ(bytesOf(cut), bytesOf(path).left(100));
  EXPECT_EQ(window->positionList().count(), 2);
  keyFromSpacing(*window, QKeySequence(Qt::CTRL | Qt::Key_Q));
  EXPECT_FALSE(window->isVisible()) << lastBox().toStdString();
}

// A program that ends without closing leaves its unsaved project behind: the next start offers it, 恢复
// brings it back unsaved, 丢弃 removes it, and a box closed without an answer leaves it for the start after.
TEST_F(Projects, ARecoveryIsOfferedAfterTheProgramDidNotClose) {
  for (const QString answer : {"", "丢弃", "恢复"}) {
    SCOPED_TRACE(answer.toStdString());
    {
      auto killed = openWindow();
      type(killed->form().Text1, "120");
      for (int wait = 0; wait < 40 && recoveries() == 0; ++wait) {
        QTest::qWait(50);
      }
      ASSERT_EQ(recoveries(), 1) << "written within a second of the edit";
    } // gone without closing, as a killed program is: its lock is released
    boxes.clear(), answers = {answer};
    auto next = openWindow();
    next->offerRecoveries();
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_TRUE(boxes[0].startsWith("Tavrin 上次未正常关闭，留下了未保存的工程：\n未命名工程\n"));
    EXPECT_EQ(next->form().Text1->text(), answer == "恢复" ? "120" : "100");
    EXPECT_EQ(next->isWindowModified(), answer == "恢复");
    EXPECT_EQ(recoveries(), answer.isEmpty() || answer == "恢复" ? 1 : 0)
        << "the restored one is this program's now";
    answers = {"不保存"};
    next->close();
    EXPECT_EQ(recoveries(), answer.isEmpty() ? 1 : 0);
    if (answer.isEmpty()) {
      boxes.clear(), answers = {"丢弃"};
      openWindow()->offerRecoveries();
      EXPECT_EQ(boxes.size(), 1U) << "left for the next start";
    }
  }
}

// The project's 计算书, printed (Ctrl+Shift+P) and exported, and its depth table: every position run afresh
// from its inputs, calculated or not, each under its 部位 and numbered through the whole; a failed write says
// so.
TEST_F(Projects, ProjectNoteAndDepthTableHoldEveryPosition) {
  auto window = openWindow();
  Form1 &form = window->form();
  window->typedText = QStringLiteral("某办公楼加固");
  window->editProjectInfo();
  keyFromSpacing(*window, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
  form.Combo3->setCurrentIndex(9), form.Combo5->setCurrentIndex(1); // 25 mm with B级胶: not allowed
  type(form.Text1, "150"), type(form.Text2, "80");
  keyFromSpacing(*window, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
  type(form.Text1, "60"); // under 5d

  window->printedTo = folder.filePath("printed.pdf");
  keyFromSpacing(*window, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
  window->exportPath = folder.filePath("计算书.pdf");
  window->exportProjectPdf();
  for (const QString &pdf : {window->printedTo, window->exportPath}) {
    expectNoteInPdf(pdf, {"工程名称：某办公楼加固", "部位数：3", "植筋锚固深度汇总表", "430.2222",
                          "可用于施工图", "672.2222", "不得用于施工图", "第15.1.5条", "未能计算",
                          "部位：部位 1", "部位：部位 2", "部位：部位 3", "施工图植筋锚固深度取 440 mm"});
#ifndef Q_OS_WIN // under Wine the text cannot be read
    const QString text = pdfText(pdf);
    const QString pages = QRegularExpression("共 (\\d+) 页").match(text).captured(1);
    ASSERT_GE(pages.toInt(), 5) << "the cover, the summary and a page at least for each position";
    for (int page = 1; page <= pages.toInt(); ++page) {
      EXPECT_TRUE(text.contains(QStringLiteral("第 %1 页 共 %2 页").arg(page).arg(pages))) << page;
    }
    EXPECT_EQ(text.count("审核："), 1) << "signed once, on the cover";
#endif
  }

  window->exportPath = folder.filePath("植筋深度表.csv");
  window->exportDepthTable();
  const QStringList lines = QString::fromUtf8(bytesOf(window->exportPath)).split("\r\n");
  ASSERT_EQ(lines.size(), 5) << "a header, three rows and the end of the last";
  EXPECT_TRUE(lines[0].startsWith("\uFEFF序号,部位,混凝土强度等级,钢筋"));
  EXPECT_EQ(lines[3], "3,部位 3,C25,HRB335,25,B级胶,—,—,—,未能计算：植筋间距不能小于植筋直径的5倍");
  window->exportPath = folder.filePath("no such folder/表.csv");
  window->exportDepthTable();
  EXPECT_TRUE(
      lastBox().startsWith("无法保存植筋深度表：\n" + QDir::toNativeSeparators(window->exportPath) + '\n'));
}

} // namespace
} // namespace tavrin::test
