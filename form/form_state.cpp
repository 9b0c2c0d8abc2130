#include "form/form1.h"

#include "calc/conversions.h"
#include "calc/lists.h"
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
      ListDefault{&Form1::Combo9, lists::seismicIntensity.defaultIndex},
      ListDefault{&Form1::Combo8, lists::stirrupDiameter.defaultIndex},
      ListDefault{&Form1::Combo10, lists::siteCategory.defaultIndex},
      ListDefault{&Form1::Combo1, lists::concreteGrade.defaultIndex},
      ListDefault{&Form1::Combo2, lists::coverThickness.defaultIndex},
      ListDefault{&Form1::Combo4, lists::steelGrade.defaultIndex},
      ListDefault{&Form1::Combo3, lists::barDiameter.defaultIndex},
      ListDefault{&Form1::Combo5, lists::adhesiveGrade.defaultIndex},
      TextDefault{&Form1::Text1, formatInteger(100)},
      TextDefault{&Form1::Text2, formatInteger(50)},
      ListDefault{&Form1::Combo6, lists::memberState.defaultIndex},
      TextDefault{&Form1::Text3, formatDouble(1.1)},
      ListDefault{&Form1::Combo7, lists::serviceTemperature.defaultIndex},
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

// The last run's note is forgotten with its results.
void Form1::restoreDefaults() {
  applyDefaultInputs();
  hideOptionalEntries();
  clearResults();
  lastPress_ = std::monostate{};
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
