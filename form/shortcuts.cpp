// The window's two keys: F1 opens the manual, Ctrl+Shift+C copies the calculation note of the last completed
// run; and the record of that run the note is made from.
#include "calc/working.h"
#include "form/calculation_note.h"
#include "form/form1.h"
#include "form/form_layout.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QShortcut>
#include <QUrl>

#include <algorithm>
#include <memory>
#include <type_traits>

namespace tavrin {
namespace {

// Beside the program (the build tree, the Windows folder), then the documentation folder of the installed
// package, as the install lays it out relative to the program.
QStringList manualPlaces(const QString &programDirectory) {
  return {QDir::cleanPath(programDirectory + QStringLiteral("/manual.html")),
          QDir::cleanPath(programDirectory + QStringLiteral("/" TAVRIN_DOCDIR_FROM_PROGRAM "/manual.html"))};
}

QString shownValue(const Form1 &form, const ControlMember &member) {
  return std::visit(
      [&form](auto pointer) {
        const auto *control = form.*pointer;
        using Control = std::remove_cvref_t<decltype(*control)>;
        if constexpr (std::is_same_v<Control, QComboBox>) {
          return control->currentText();
        } else {
          return control->text();
        }
      },
      member);
}

// The caption as a note states it: "箍筋直径：" and " 植筋基本锚固长度ls(mm):" lose blanks and colon.
QString noteCaption(const QLabel &label) {
  QString caption = label.text().trimmed();
  while (caption.endsWith(u':') || caption.endsWith(u'：')) {
    caption.chop(1);
  }
  return caption;
}

QString withUnit(const QString &value, std::string_view unit) {
  return unit.empty() ? value
                      : value + u' ' + QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size()));
}

QString qText(const std::string &text) {
  return QString::fromStdString(text);
}

} // namespace

void Form1::connectShortcuts() {
  // Owned by the window, which deletes them with itself.
  new QShortcut(QKeySequence(Qt::Key_F1), this, this, &Form1::openManual);
  new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this, this, &Form1::copyCalculationNote);
  Command1->setToolTip(
      QStringLiteral("按 F1 打开使用说明；计算完成后按 Ctrl+Shift+C 复制本次计算的计算书，可粘贴到报告中"));
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

// Hidden optional entries take no part in a run, and the result boxes are no inputs.
std::vector<NoteItem> Form1::inputsOnView() const {
  std::vector<NoteItem> inputs;
  for (const NamedBy &pair : namingLabels()) {
    if (!pair.isResult && !widgetOf(*this, pair.control)->isHidden()) {
      inputs.push_back({noteCaption(*(this->*pair.label)),
                        withUnit(shownValue(*this, pair.control), pair.unit), QString()});
    }
  }
  return inputs;
}

// Read right after the run completes: the inputs on view are the ones it used (the moisture factor as
// raised to its floor), and every display holds what it wrote. ld's minimum lengths and notices have
// sections of their own in the note.
CalculationNote Form1::noteOfCompletedRun(const AnchorageInput &input) const {
  CalculationNote note;
  note.date = QDate::currentDate().toString(Qt::ISODate);
  note.inputs = inputsOnView();
  for (const NamedBy &pair : namingLabels()) {
    if (pair.isResult) {
      const QWidget *display = widgetOf(*this, pair.control);
      const bool ld = display == Text7;
      note.results.push_back({noteCaption(*(this->*pair.label)),
                              withUnit(shownValue(*this, pair.control), pair.unit),
                              ld ? qText(ldEquation(result_)) : workingOn(*display)});
    }
  }
  note.minimumLengthHeading = qText(std::string(lminHeading));
  for (const std::string &line : lminLines(input, result_)) {
    note.minimumLengths << qText(line);
  }
  for (const CodeNotice &notice : result_.completed->notices) {
    note.notices << qText(noticeLine(notice));
  }
  const MinimumAnchorage &lmin = result_.completed->lmin;
  note.conclusion =
      QStringLiteral(
          "结论：植筋锚固长度 ld = %1 mm；按构造要求植筋时，最小锚固长度 lmin 受拉 %2 mm、受压 %3 mm%4。")
          .arg(qText(formatSingle(result_.ld.value)), qText(formatSingle(lmin.tension)),
               qText(formatSingle(lmin.compression)),
               note.notices.isEmpty() ? QString()
                                      : QStringLiteral("；有 %1 条规范提示，见上").arg(note.notices.size()));
  return note;
}

QString Form1::whyNoNote() const {
  if (lastPressRefused_ || (completedRun_ && completedRun_->inputs != inputsOnView())) {
    return QStringLiteral("输入已改动，请重新计算后再复制计算书");
  }
  if (!completedRun_) {
    return QStringLiteral("尚未计算，请先按“计　　算”再复制计算书");
  }
  return {};
}

void Form1::copyCalculationNote() {
  if (const QString why = whyNoNote(); !why.isEmpty()) {
    showMessage(why);
    return;
  }
  auto data = std::make_unique<QMimeData>();
  data->setText(noteText(*completedRun_));
  data->setHtml(noteHtml(*completedRun_));
  QGuiApplication::clipboard()->setMimeData(data.release()); // the clipboard takes it over
}

} // namespace tavrin
