// F1's manual, the right-click menu of the window's actions, and what the result boxes' workings follow.
#include "form/form1.h"
#include "form/form_layout.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QUrl>

#include <algorithm>

namespace tavrin {
namespace {

// Beside the program (the build tree, the Windows folder), then the documentation folder of the installed
// package, as the install lays it out relative to the program.
QStringList manualPlaces(const QString &programDirectory) {
  return {QDir::cleanPath(programDirectory + QStringLiteral("/manual.html")),
          QDir::cleanPath(programDirectory + QStringLiteral("/" TAVRIN_DOCDIR_FROM_PROGRAM "/manual.html"))};
}

} // namespace

void Form1::connectWorkingResets() {
  Command1->setToolTip(QStringLiteral(
      "按 F1 打开使用说明；计算完成后按 Ctrl+Shift+C 复制本次计算的计算书，可粘贴到报告中，"
      "按 Ctrl+P 打印，按 Ctrl+Shift+E 导出 PDF；按 Ctrl+S 保存工程；右击窗口也可选用这些命令"));
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

// The window that holds the form gives it the actions a right click offers, with the keys that give them.
void Form1::contextMenuEvent(QContextMenuEvent *event) {
  if (actions().isEmpty()) {
    return;
  }
  auto *menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  for (QAction *action : actions()) {
    action->setShortcutVisibleInContextMenu(true);
    menu->addAction(action);
  }
  menu->popup(event->globalPos());
}

} // namespace tavrin
