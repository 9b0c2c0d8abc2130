// The calculation note of the last completed run: copied, printed or saved as PDF, each only while the inputs
// on view are the run's.
#include "form/form1.h"
#include "form/note_pages.h"

#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

#include <memory>

namespace tavrin {
namespace {

std::string utf8(const QString &text) {
  return text.toStdString();
}

// "Tavrin 1.0.0 植筋计算书　工程名称：…", at the head of every printed page.
QString runningHead(const CalculationNote &note, const QString &project) {
  const QString title = QString::fromStdString(note.title);
  return project.trimmed().isEmpty() ? title : title + QStringLiteral("　工程名称：") + project.trimmed();
}

} // namespace

QString Form1::whyNoNote(const QString &verb) const {
  if (std::holds_alternative<std::monostate>(lastPress_)) {
    return QStringLiteral("尚未计算，请先按“计　　算”再%1计算书").arg(verb);
  }
  if (currentRun() == nullptr) {
    return QStringLiteral("输入已改动，请重新计算后再%1计算书").arg(verb);
  }
  return {};
}

bool Form1::noteAvailable(const QString &verb) {
  const QString why = whyNoNote(verb);
  if (!why.isEmpty()) {
    showMessage(why);
  }
  return why.isEmpty();
}

CalculationNote Form1::currentNote() const {
  const auto &run = std::get<CompletedRun>(lastPress_);
  return makeCalculationNote(run.input, run.result,
                             {"Tavrin " TAVRIN_VERSION, utf8(run.date), utf8(project_), utf8(member_)});
}

void Form1::copyCalculationNote() {
  if (!noteAvailable(QStringLiteral("复制"))) {
    return;
  }
  const CalculationNote note = currentNote();
  auto data = std::make_unique<QMimeData>();
  data->setText(noteText(note));
  data->setHtml(noteHtml(note));
  QGuiApplication::clipboard()->setMimeData(data.release()); // the clipboard takes it over
}

void Form1::setNoteHead(const QString &project, const QString &member) {
  project_ = project, member_ = member;
}

void Form1::printCalculationNote() {
  if (!noteAvailable(QStringLiteral("打印"))) {
    return;
  }
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(notePageLayout());
  printer.setDocName(QStringLiteral("植筋计算书"));
  if (choosePrinter(printer)) {
    const CalculationNote note = currentNote();
    paintNote(note, runningHead(note, project_), printer);
  }
}

void Form1::saveCalculationNotePdf() {
  if (!noteAvailable(QStringLiteral("保存"))) {
    return;
  }
  const auto &run = std::get<CompletedRun>(lastPress_);
  const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  const QString suggested = (documents.exists() ? documents : QDir::home())
                                .filePath(QStringLiteral("植筋计算书-%1.pdf").arg(run.date));
  const QString path = choosePdfPath(suggested);
  if (path.isEmpty()) {
    return;
  }
  const CalculationNote note = currentNote();
  if (const QString why = writeNotePdf(note, runningHead(note, project_), path); !why.isEmpty()) {
    showMessage(QStringLiteral("无法保存计算书：\n%1\n%2").arg(QDir::toNativeSeparators(path), why));
  }
}

bool Form1::choosePrinter(QPrinter &printer) {
  QPrintDialog dialog(&printer, this);
  return dialog.exec() == QDialog::Accepted;
}

QString Form1::choosePdfPath(const QString &suggested) {
  return QFileDialog::getSaveFileName(this, QStringLiteral("另存为 PDF"), suggested,
                                      QStringLiteral("PDF 文件 (*.pdf)"));
}

} // namespace tavrin
