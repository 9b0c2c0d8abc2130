#include "form/form1.h"

#include "calc/lists.h"
#include "form/form_layout.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <array>
#include <initializer_list>
#include <span>
#include <string>
#include <utility>
#include <variant>

namespace tavrin {
namespace {

// Where each input of a position is shown.
struct ListInput {
  QComboBox *Form1::*list;
  std::int16_t InputState::*index;
};
struct TextInput {
  QLineEdit *Form1::*entry;
  std::string InputState::*text;
};
using InputControl = std::variant<ListInput, TextInput>;

// In the order the defaults are set: a list set here runs its selection reaction before the next step. The
// two optional entries come last; the defaults leave them as they are.
constexpr std::array<InputControl, 15> kInputControls{{
    ListInput{&Form1::Combo9, &InputState::seismicIntensity},
    ListInput{&Form1::Combo8, &InputState::stirrupDiameter},
    ListInput{&Form1::Combo10, &InputState::siteCategory},
    ListInput{&Form1::Combo1, &InputState::concreteGrade},
    ListInput{&Form1::Combo2, &InputState::coverThickness},
    ListInput{&Form1::Combo4, &InputState::steelGrade},
    ListInput{&Form1::Combo3, &InputState::barDiameter},
    ListInput{&Form1::Combo5, &InputState::adhesiveGrade},
    TextInput{&Form1::Text1, &InputState::barSpacing},
    TextInput{&Form1::Text2, &InputState::edgeDistance},
    ListInput{&Form1::Combo6, &InputState::memberState},
    TextInput{&Form1::Text3, &InputState::moistureFactor},
    ListInput{&Form1::Combo7, &InputState::serviceTemperature},
    TextInput{&Form1::Text4, &InputState::temperatureFactor},
    TextInput{&Form1::Text5, &InputState::userBondStrength},
}};
constexpr std::size_t kDefaultedInputs = 13;

// An optional entry and its label are shown and hidden together, the label first.
void showOptionalEntry(QLabel *label, QLineEdit *entry, bool shown) {
  label->setVisible(shown);
  entry->setVisible(shown);
}

} // namespace

void Form1::loadForm() {
  applyDefaultInputs();
  hideOptionalEntries();
}

// The last run's note is forgotten with its results.
void Form1::restoreDefaults() {
  applyDefaultInputs();
  hideOptionalEntries();
  clearResults();
  lastPress_ = std::monostate{};
}

void Form1::applyDefaultInputs() {
  putInputs(defaultInputState(), kDefaultedInputs);
}

void Form1::putInputs(const InputState &state, std::size_t count) {
  for (const InputControl &input : std::span(kInputControls).first(count)) {
    if (const auto *list = std::get_if<ListInput>(&input)) {
      (this->*list->list)->setCurrentIndex(state.*list->index);
    } else {
      const auto &text = std::get<TextInput>(input);
      (this->*text.entry)->setText(QString::fromStdString(state.*text.text));
    }
  }
}

void Form1::showInputs(const InputState &state) {
  putInputs(state, kInputControls.size());
  clearResults();
  lastPress_ = std::monostate{};
}

InputState Form1::inputState() const {
  InputState state;
  for (const InputControl &input : kInputControls) {
    if (const auto *list = std::get_if<ListInput>(&input)) {
      const int index = (this->*list->list)->currentIndex();
      state.*list->index = std::in_range<std::int16_t>(index) ? static_cast<std::int16_t>(index) : -1;
    } else {
      const auto &text = std::get<TextInput>(input);
      state.*text.text = (this->*text.entry)->text().toStdString();
    }
  }
  return state;
}

void Form1::hideOptionalEntries() {
  for (QWidget *control : std::initializer_list<QWidget *>{Label12, Text4, Text5, Label28}) {
    control->hide();
  }
}

void Form1::clearResults() {
  for (QWidget *display : resultDisplays()) {
    if (auto *value = qobject_cast<QLabel *>(display)) {
      showInFull(*value, QString());
    } else if (auto *box = qobject_cast<QLineEdit *>(display)) {
      box->clear();
    }
    setWorking(*display, QString());
  }
}

void Form1::steelGradeSelected() {
  showOptionalEntry(Label28, Text5, Combo4->currentIndex() == lists::plainBarsHPB235);
}

void Form1::serviceTemperatureSelected() {
  showOptionalEntry(Label12, Text4, Combo7->currentIndex() != lists::upTo60Celsius);
}

} // namespace tavrin
