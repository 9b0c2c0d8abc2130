#include "form/form1.h"

#include "calc/working.h"
#include "form/form_layout.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>

namespace tavrin {
namespace {

std::string text(const QLineEdit *entry) {
  return entry->text().toStdString();
}

// Selections are 16-bit in the calculation. An index beyond that, which no list of a dozen items reaches,
// counts as nothing chosen rather than wrap around to another item.
std::int16_t narrowed(int index) {
  return std::in_range<std::int16_t>(index) ? static_cast<std::int16_t>(index) : std::int16_t{-1};
}

ListChoice choice(const QComboBox *list) {
  return {narrowed(list->currentIndex()), list->currentText().toStdString()};
}

std::int16_t index(const QComboBox *list) {
  return choice(list).index;
}

// The value label that shows each quantity; ψw, ψT and fy are worked out but shown nowhere, and ld goes
// to the two result boxes instead.
struct ValueDisplay {
  Quantity quantity;
  QLabel *Form1::*label;
};
constexpr std::array<ValueDisplay, 6> valueDisplays{{
    {Quantity::Fbd, &Form1::Label18},
    {Quantity::PsiBr, &Form1::Label14},
    {Quantity::PsiN, &Form1::Label16},
    {Quantity::Aspt, &Form1::Label20},
    {Quantity::Ls, &Form1::Label22},
    {Quantity::PsiAe, &Form1::Label24},
}};

} // namespace

AnchorageInput Form1::inputFromControls() const {
  AnchorageInput input;
  input.concreteGrade = choice(Combo1);
  input.coverThickness = index(Combo2);
  input.barDiameter = choice(Combo3);
  input.steelGrade = index(Combo4);
  input.adhesiveGrade = index(Combo5);
  input.barSpacing = text(Text1);
  input.edgeDistance = text(Text2);
  input.memberState = index(Combo6);
  input.moistureFactor = text(Text3);
  input.temperatureFactor = {text(Text4), !Text4->isHidden()};
  input.userBondStrength = {text(Text5), !Text5->isHidden()};
  input.stirrupDiameter = index(Combo8);
  input.seismicIntensity = index(Combo9);
  input.siteCategory = index(Combo10);
  return input;
}

// Each value is written with its working, which is worked out from this run's inputs and stored values
// at once: a value that a later run does not reach keeps the working that explains it.
void Form1::showValue(Quantity quantity, const AnchorageInput &input) {
  const QString value = QString::fromStdString(formatQuantity(quantity, result_));
  const QString working = QString::fromStdString(workingOf(quantity, input, result_));
  if (quantity == Quantity::Ld) {
    Text6->setText(Combo3->currentText()); // the bar diameter as the list shows it
    setWorking(*Text6, QString::fromStdString(barDiameterWorking(input)));
    Text7->setText(value);
    setWorking(*Text7, working);
    return;
  }
  for (const ValueDisplay &display : valueDisplays) {
    if (display.quantity == quantity) {
      showInFull(*(this->*display.label), value);
      setWorking(*(this->*display.label), working);
    }
  }
}

std::vector<QWidget *> Form1::resultDisplays() const {
  std::vector<QWidget *> displays;
  for (const NamedBy &pair : namingLabels()) {
    if (pair.isResult) {
      displays.push_back(widgetOf(*this, pair.control));
    }
  }
  return displays;
}

QLineEdit *Form1::entryFor(Entry entry) const {
  switch (entry) {
  case Entry::BarSpacing:
    return Text1;
  case Entry::EdgeDistance:
    return Text2;
  case Entry::MoistureFactor:
    return Text3;
  case Entry::TemperatureFactor:
    return Text4;
  case Entry::UserBondStrength:
    return Text5;
  case Entry::None:
    break;
  }
  return nullptr;
}

// The message first; only once the user has closed it is the entry cleared and focused.
void Form1::reportRejection(const InputRejection &rejection) {
  showMessage(QString::fromStdString(rejection.message));
  if (QLineEdit *cleared = entryFor(rejection.cleared)) {
    cleared->clear();
  }
  if (QLineEdit *focused = entryFor(rejection.focused)) {
    focused->setFocus();
  }
}

// After a completed run, the cases the design code does not allow, all in one box; the results stay.
void Form1::reportCodeNotices() {
  if (!result_.completed || result_.completed->notices.empty()) {
    return;
  }
  const auto &notices = result_.completed->notices;
  const bool programOwn = std::ranges::any_of(notices, [](const CodeNotice &n) { return n.clause.empty(); });
  QString message = programOwn
                        ? QStringLiteral("本次计算的输入有以下情况不符合 GB 50367-2013 的规定或超出本程序"
                                         "的适用范围，计算结果未因此改动，请设计人员处理：")
                        : QStringLiteral("本次计算的输入有以下情况不符合 GB 50367-2013 的规定，计算结果未"
                                         "因此改动，请设计人员处理：");
  for (const CodeNotice &notice : notices) {
    message += '\n' + QString::fromStdString(noticeLine(notice));
  }
  showMessage(message);
}

// Command1: each display is written the moment its value is stored, so a refused input leaves the
// values before it on view. Nothing is cleared first. A completed run is recorded for the note.
void Form1::calculateCommand() {
  lastPress_ = RefusedPress{}; // until the run completes
  const AnchorageInput input = inputFromControls();
  const RunObserver observer{
      [this, &input](Quantity quantity, const AnchorageResult & /*result*/) { showValue(quantity, input); },
      [this](const std::string &correctedText) { Text3->setText(QString::fromStdString(correctedText)); }};
  const auto rejection = calculateAnchorage(input, result_, observer);
  if (rejection) {
    reportRejection(*rejection);
    lastPress_ = RefusedPress{inputFromControls()};
    emit pressed();
    return;
  }
  lastPress_ = CompletedRun{input, inputFromControls(), result_, QDate::currentDate().toString(Qt::ISODate)};
  emit pressed();
  reportCodeNotices();
}

Form1::LastPress Form1::quietPress(const InputState &state) {
  const AnchorageInput input = anchorageInputOf(state);
  AnchorageInput onView = input;
  AnchorageResult result;
  const RunObserver observer{{},
                             [&onView](const std::string &corrected) { onView.moistureFactor = corrected; }};
  if (calculateAnchorage(input, result, observer)) {
    return RefusedPress{onView};
  }
  return CompletedRun{input, onView, result, QDate::currentDate().toString(Qt::ISODate)};
}

const Form1::CompletedRun *Form1::currentRun() const {
  const auto *run = std::get_if<CompletedRun>(&lastPress_);
  return run != nullptr && run->onView == inputFromControls() ? run : nullptr;
}

// Only a completed run of the inputs on view shows: every value it reached, each with its working.
void Form1::restoreLastPress(const LastPress &press) {
  clearResults();
  lastPress_ = press;
  if (const CompletedRun *run = currentRun()) {
    result_ = run->result;
    for (const Quantity quantity : {Quantity::Fbd, Quantity::PsiBr, Quantity::PsiN, Quantity::Aspt,
                                    Quantity::Ls, Quantity::PsiAe, Quantity::Ld}) {
      showValue(quantity, run->input);
    }
  }
}

} // namespace tavrin
