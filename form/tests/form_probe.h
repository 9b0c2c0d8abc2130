#pragma once

#include "form/form1.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <ostream>
#include <string>

// Readable failure messages for Qt strings and places.
inline void PrintTo(const QString &text, std::ostream *out) {
  *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QRect &place, std::ostream *out) {
  *out << place.width() << "×" << place.height() << " at (" << place.x() << ", " << place.y() << ')';
}

namespace tavrin::test {

// A control of the window found by its objectName, as a test or an assistive tool finds it.
template <typename Control = QWidget> Control *control(const Form1 &form, const QString &name) {
  auto *found = form.findChild<Control *>(name, Qt::FindDirectChildrenOnly);
  EXPECT_NE(found, nullptr) << name.toStdString();
  return found;
}

// The window with its message boxes answered at once: each box goes to `answer`, which reads it, and counts
// as closed with OK when `answer` returns.
class AnsweredForm : public Form1 {
public:
  std::function<void(QMessageBox &box)> answer = [](QMessageBox & /*box*/) {};
  // The desktop's browser, so that no test starts one, and the folder where the manual is looked for first.
  std::function<bool(const QUrl &file)> browser = [](const QUrl & /*file*/) { return true; };
  QString folder = QCoreApplication::applicationDirPath();
  // The note's dialogs: each one asked is counted; the print goes to a PDF file at printedTo, and the save
  // dialog answers savedTo. The note is for a project and position as a project window names them.
  AnsweredForm() { setNoteHead(QStringLiteral("某办公楼加固"), QStringLiteral("二层梁 KL3")); }
  int dialogsAsked = 0;
  QString printedTo, savedTo;

protected:
  void execMessageBox(QMessageBox &box) override { answer(box); }
  bool openInBrowser(const QUrl &file) override { return browser(file); }
  QString programDirectory() const override { return folder; }
  bool choosePrinter(QPrinter &printer) override {
    ++dialogsAsked;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printedTo);
    return true;
  }
  QString choosePdfPath(const QString & /*suggested*/) override { return ++dialogsAsked, savedTo; }
};

// What a user sees of one control: its caption, text or selected item, and whether it is shown.
struct ControlView {
  std::string shows;
  bool hidden = false;

  friend bool operator==(const ControlView &, const ControlView &) = default;
  friend std::ostream &operator<<(std::ostream &out, const ControlView &view) {
    return out << '"' << view.shows << '"' << (view.hidden ? " hidden" : "");
  }
};

using FormView = std::map<std::string, ControlView>;

inline std::string shownText(const QWidget &widget) {
  if (const auto *list = qobject_cast<const QComboBox *>(&widget)) {
    return std::to_string(list->currentIndex()) + ":" + list->currentText().toStdString();
  }
  if (const auto *entry = qobject_cast<const QLineEdit *>(&widget)) {
    return entry->text().toStdString();
  }
  if (const auto *label = qobject_cast<const QLabel *>(&widget)) {
    return label->text().toStdString();
  }
  return qobject_cast<const QPushButton *>(&widget)->text().toStdString();
}

// Every named control of the window, keyed by name.
inline FormView viewOf(const Form1 &form) {
  FormView view;
  for (const QWidget *widget : form.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
    if (!widget->objectName().isEmpty()) {
      view[widget->objectName().toStdString()] = {shownText(*widget), widget->isHidden()};
    }
  }
  return view;
}

} // namespace tavrin::test
