#include "form/form1.h"

#include "calc/conversions.h"
#include "form/form_layout.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

namespace tavrin {
namespace {

struct ListDefault {
  QComboBox *Form1::*list;
  int index;
};

struct TextDefault {
  QLineEdit *Form1::*entry;
  std::string text;
};

using DefaultInput = std::variant<ListDefault, TextDefault>;

// In the order they are set: a list set here runs its selection reaction before the next step.
std::vector<DefaultInput> defaultInputs() {
  return {
      ListDefault{&Form1::Combo9, 1},  // intensity "6"
      ListDefault{&Form1::Combo8, 1},  // stirrup ">=8"
      ListDefault{&Form1::Combo10, 0}, // site "I、II类"
      ListDefault{&Form1::Combo1, 1},  // concrete "C25"
      ListDefault{&Form1::Combo2, 1},  // cover "30"
      ListDefault{&Form1::Combo4, 1},  // steel "HRB335"
      ListDefault{&Form1::Combo3, 5},  // diameter "16"
      ListDefault{&Form1::Combo5, 0},  // adhesive "A级胶"
      TextDefault{&Form1::Text1, formatInteger(100)},
      TextDefault{&Form1::Text2, formatInteger(50)},
      ListDefault{&Form1::Combo6, 2}, // member "其他构件"
      TextDefault{&Form1::Text3, formatDouble(1.1)},
      ListDefault{&Form1::Combo7, 0}, // temperature "≤60℃"
  };
}

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

void Form1::restoreDefaults() {
  applyDefaultInputs();
  hideOptionalEntries();
  clearResults();
}

void Form1::applyDefaultInputs() {
  for (const DefaultInput &input : defaultInputs()) {
    if (const auto *list = std::get_if<ListDefault>(&input)) {
      (this->*list->list)->setCurrentIndex(list->index);
    } else {
      const auto &text = std::get<TextDefault>(input);
      (this->*text.entry)->setText(QString::fromStdString(text.text));
    }
  }
}

void Form1::hideOptionalEntries() {
  for (QWidget *control : std::initializer_list<QWidget *>{Label12, Text4, Text5, Label28}) {
    control->hide();
  }
}

void Form1::clearResults() {
  for (QLineEdit *entry : {Text6, Text7}) {
    entry->clear();
  }
  for (QLabel *value : {Label22, Label24, Label14, Label16, Label18, Label20}) {
    showInFull(*value, QString());
  }
  for (QWidget *display : resultDisplays()) {
    setWorking(*display, QString());
  }
}

void Form1::steelGradeSelected() {
  showOptionalEntry(Label28, Text5, Combo4->currentIndex() == 0);
}

void Form1::serviceTemperatureSelected() {
  showOptionalEntry(Label12, Text4, Combo7->currentIndex() != 0);
}

} // namespace tavrin
