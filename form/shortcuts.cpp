// The window's keys and its right-click menu: F1 opens the manual; Ctrl+Shift+C, Ctrl+P and Ctrl+S copy,
// print and save the calculation note of the last completed run.
#include "form/form1.h"
#include "form/form_layout.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QShortcut>
#include <QUrl>

#include <algorithm>

namespace tavrin {
namespace {

const QKeySequence kManualKeys(Qt::Key_F1);
const QKeySequence kCopyKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_C);
const QKeySequence kPrintKeys(Qt::CTRL | Qt::Key_P);
const QKeySequence kSaveKeys(Qt::CTRL | Qt::Key_S);

// Beside the program (the build tree, the Windows folder), then the documentation folder of the installed
// package, as the install lays it out relative to the program.
QStringList manualPlaces(const QString &programDirectory) {
  return {QDir::cleanPath(programDirectory + QStringLiteral("/manual.html")),
          QDir::cleanPath(programDirectory + QStringLiteral("/" TAVRIN_DOCDIR_FROM_PROGRAM "/manual.html"))};
}

} // namespace

void Form1::connectShortcuts() {
  // Owned by the window, which deletes them with itself.
  new QShortcut(kManualKeys, this, this, &Form1::openManual);
  new QShortcut(kCopyKeys, this, this, &Form1::copyCalculationNote);
  new QShortcut(kPrintKeys, this, this, &Form1::printCalculationNote);
  new QShortcut(kSaveKeys, this, this, &Form1::saveCalculationNotePdf);
  Command1->setToolTip(
      QStringLiteral("按 F1 打开使用说明；计算完成后按 Ctrl+Shift+C 复制本次计算的计算书，可粘贴到"
                     "报告中，按 Ctrl+P 打印，按 Ctrl+S 另存为 PDF；右击窗口也可选用这些命令"));
  // A result box typed over no longer shows the value its working explains.
  for (QLineEdit *box : {Text6, Text7}) {
    connect(box, &QLineEdit::textEdited, this, [box] { setWorking(*box, QString()); });
  }
}

void Form1::openManual() {
  const QStringList places = manualPlaces(programDirectory());
  const auto found =
      std::ranges::find_if(places, [](const QString &place) { return QFileInfo(place).isFile(); });
  if (found == places.end()) {
    showMessage(QStringLiteral("未找到使用说明 manual.html，已查找：\n") +
                QDir::toNativeSeparators(places.join('\n')));
  } else if (!openInBrowser(QUrl::fromLocalFile(*found))) {
    showMessage(QStringLiteral("无法用浏览器打开使用说明：\n") + QDir::toNativeSeparators(*found));
  }
}

bool Form1::openInBrowser(const QUrl &file) {
  return QDesktopServices::openUrl(file);
}

QString Form1::programDirectory() const {
  return QCoreApplication::applicationDirPath();
}

// The commands a right click offers, with the keys that give them.
void Form1::contextMenuEvent(QContextMenuEvent *event) {
  auto *menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  const struct {
    const char *text;
    QKeySequence keys;
    void (Form1::*command)();
  } commands[] = {
      {"复制计算书", kCopyKeys, &Form1::copyCalculationNote},
      {"打印计算书", kPrintKeys, &Form1::printCalculationNote},
      {"另存为 PDF", kSaveKeys, &Form1::saveCalculationNotePdf},
      {"使用说明", kManualKeys, &Form1::openManual},
  };
  for (const auto &command : commands) {
    QAction *action = menu->addAction(QString::fromUtf8(command.text), this, command.command);
    action->setShortcut(command.keys);
    action->setShortcutVisibleInContextMenu(true);
  }
  menu->popup(event->globalPos());
}

} // namespace tavrin
