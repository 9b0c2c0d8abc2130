// The three ways the window shows its method: F1 opens the manual, each result carries its working as
// tooltip and description, and Ctrl+Shift+C copies a calculation note.
#include "form/calculation_note.h"
#include "form/form1.h"
#include "form/form_layout.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QShortcut>
#include <QUrl>

#include <algorithm>
#include <memory>

namespace tavrin {
namespace {

// Beside the program (the build tree, the Windows folder), then where a package keeps documentation.
QStringList manualPlaces(const QString &programDirectory) {
  return {QDir::cleanPath(programDirectory + QStringLiteral("/manual.html")),
          QDir::cleanPath(programDirectory + QStringLiteral("/../share/doc/tavrin/manual.html"))};
}

QString shownValue(const QWidget &control) {
  if (const auto *list = qobject_cast<const QComboBox *>(&control)) {
    return list->currentText();
  }
  if (const auto *entry = qobject_cast<const QLineEdit *>(&control)) {
    return entry->text();
  }
  return qobject_cast<const QLabel *>(&control)->text();
}

QString nameOf(std::string_view name) {
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

} // namespace

void setWorking(QWidget &display, const QString &working) {
  display.setToolTip(working);
  display.setAccessibleDescription(working);
}

QString workingOn(const QWidget &display) {
  return display.accessibleDescription();
}

void Form1::connectShortcuts() {
  // Owned by the window, which deletes them with itself.
  new QShortcut(QKeySequence(Qt::Key_F1), this, this, &Form1::openManual);
  new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this, this, &Form1::copyCalculationNote);
  Command1->setToolTip(
      QStringLiteral("按 F1 打开使用说明；有计算结果时按 Ctrl+Shift+C 复制计算书，可粘贴到报告中"));
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

QString Form1::captionOf(const QWidget &control) const {
  const auto &pairs = namingLabels();
  const auto pair = std::ranges::find_if(
      pairs, [&control](const NamedBy &named) { return nameOf(named.control) == control.objectName(); });
  if (pair == pairs.end()) {
    return {};
  }
  return findChild<QLabel *>(nameOf(pair->label), Qt::FindDirectChildrenOnly)->text().trimmed();
}

// The inputs on view row by row as the window shows them, the results in the order a run writes them.
void Form1::copyCalculationNote() {
  CalculationNote note;
  const std::vector<QWidget *> results = resultDisplays();
  for (const QWidget *display : results) {
    if (!workingOn(*display).isEmpty()) {
      note.results.push_back({captionOf(*display), shownValue(*display), workingOn(*display)});
    }
  }
  if (note.results.empty()) {
    return;
  }
  for (const ControlSpec &spec : formLayout()) {
    const auto *control = findChild<QWidget *>(nameOf(spec.name), Qt::FindDirectChildrenOnly);
    const QString caption = captionOf(*control);
    if (!caption.isEmpty() && !control->isHidden() && std::ranges::find(results, control) == results.end()) {
      note.inputs.push_back({caption, shownValue(*control), QString()});
    }
  }
  auto data = std::make_unique<QMimeData>();
  data->setText(noteText(note));
  data->setHtml(noteHtml(note));
  QGuiApplication::clipboard()->setMimeData(data.release()); // the clipboard takes it over
}

} // namespace tavrin
