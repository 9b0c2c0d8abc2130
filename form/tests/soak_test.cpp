#include "form/tests/form_probe.h"

#include "calc/conversions.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

// A long seeded random session on the window: picks, typing of any kind of text, and presses of both
// buttons, with the message box answering OK. After every action the window must still be whole: the
// optional entries follow their lists, the displays show numbers or nothing, and no typed text is lost.
// Set TAVRIN_SOAK_SEED to replay one seed.
namespace tavrin::test {
namespace {

constexpr int actionCount = 10'000;
constexpr int actionsBetweenEventLoops = 50; // lets repaints and layout run now and then

const QString spacingRejection = "植筋间距不能小于植筋直径的5倍";
const QString edgeRejection = "植筋边距不能小于植筋直径的2.5倍";

// A plausible value for each typed entry, so that many runs get past the first checks.
struct PlausibleRange {
  QLineEdit *Form1::*entry;
  double low;
  double high;
};
const std::array<PlausibleRange, 5> plausibleRanges{{
    {&Form1::Text1, 0, 400},
    {&Form1::Text2, 0, 200},
    {&Form1::Text3, 0.5, 2},
    {&Form1::Text4, 0, 1.5},
    {&Form1::Text5, 0, 6},
}};

const std::array<const char *, 19> oddTexts{"",      " ",     "\t",     "   ",    "abc", "120abc", "--1",
                                            "1e",    "0x1A",  "inf",    "nan",    "1,5", "植筋",   "１．２",
                                            "3.5兆", "1e308", "1e-320", "3.4e38", "-0"};

const std::array<QComboBox * Form1::*, 10> lists{
    &Form1::Combo1, &Form1::Combo2, &Form1::Combo3, &Form1::Combo4, &Form1::Combo5,
    &Form1::Combo6, &Form1::Combo7, &Form1::Combo8, &Form1::Combo9, &Form1::Combo10};

enum class Action : std::uint8_t { Pick, Type, Calculate, RestoreDefaults };

// What the checks compare an action's outcome with.
struct Snapshot {
  std::array<QString, 5> entries;  // Text1 to Text5
  std::array<QString, 8> displays; // the six value labels, Text6, Text7
};

class Soak {
public:
  explicit Soak(std::uint32_t seed) : random_(seed) {
    // The box closes at once, as if the user pressed its OK button.
    form_.answer = [this](QMessageBox &box) { messages_.push_back(box.text()); };
    form_.loadForm();
    form_.show();
  }

  // Does one random action and returns what it was, for the failure report.
  std::string act() {
    before_ = snapshot();
    messages_.clear();
    typedText_.clear();
    const int roll = uniform(0, 99);
    action_ = roll < 35   ? Action::Pick
              : roll < 75 ? Action::Type
              : roll < 95 ? Action::Calculate
                          : Action::RestoreDefaults;
    switch (action_) {
    case Action::Pick:
      return pick();
    case Action::Type:
      return type();
    case Action::Calculate:
      form_.Command1->click();
      return "press Calculate";
    case Action::RestoreDefaults:
      form_.Command2->click();
      return "press Restore defaults";
    }
    return {};
  }

  // The first broken invariant after the last action, or an empty text.
  std::string violation() const {
    std::string found = optionalEntriesViolation();
    for (const auto &check : {&Soak::displaysViolation, &Soak::messagesViolation, &Soak::entriesViolation}) {
      if (found.empty()) {
        found = (this->*check)();
      }
    }
    if (found.empty() && !form_.isVisible()) {
      found = "the window is gone";
    }
    return found;
  }

  void letEventsRun() const { QCoreApplication::processEvents(); }

private:
  int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  std::array<QLineEdit *, 5> entries() const {
    return {form_.Text1, form_.Text2, form_.Text3, form_.Text4, form_.Text5};
  }
  std::array<QWidget *, 8> displays() const {
    return {form_.Label14, form_.Label16, form_.Label18, form_.Label20,
            form_.Label22, form_.Label24, form_.Text6,   form_.Text7};
  }

  Snapshot snapshot() const {
    Snapshot shot;
    for (std::size_t i = 0; i < shot.entries.size(); ++i) {
      shot.entries.at(i) = entries().at(i)->text();
    }
    for (std::size_t i = 0; i < shot.displays.size(); ++i) {
      shot.displays.at(i) = QString::fromStdString(shownText(*displays().at(i)));
    }
    return shot;
  }

  std::string pick() {
    QComboBox *list = form_.*lists.at(static_cast<std::size_t>(uniform(0, lists.size() - 1)));
    const int index = uniform(0, list->count() - 1);
    list->setCurrentIndex(index);
    return "pick " + std::to_string(index) + " in " + list->objectName().toStdString();
  }

  QString randomText(std::size_t entryIndex) {
    const int kind = uniform(0, 99);
    if (kind < 50) {
      const PlausibleRange &range = plausibleRanges.at(entryIndex);
      const double value = std::uniform_real_distribution<double>(range.low, range.high)(random_);
      return QString::number(value, 'f', uniform(0, 4));
    }
    if (kind < 85) {
      return QString::fromUtf8(oddTexts.at(static_cast<std::size_t>(uniform(0, oddTexts.size() - 1))));
    }
    if (kind < 98) { // digits with junk between them
      QString text;
      for (int i = uniform(1, 12); i > 0; --i) {
        text += QString::number(uniform(0, 9)) + (uniform(0, 3) == 0 ? QStringLiteral(".x ") : QString());
      }
      return text;
    }
    // Very long: far more digits than any number (beyond the double range from 310 on).
    return QString(uniform(0, 1) == 0 ? 400 : 5'000, QChar(u'0' + uniform(1, 9)));
  }

  // Replaces an entry's text as a user does who selects it all and types or pastes.
  std::string type() {
    std::vector<std::size_t> shown;
    for (std::size_t i = 0; i < entries().size(); ++i) {
      if (!entries().at(i)->isHidden()) {
        shown.push_back(i);
      }
    }
    const std::size_t entryIndex = shown.at(static_cast<std::size_t>(uniform(0, shown.size() - 1)));
    QLineEdit *entry = entries().at(entryIndex);
    const QString text = randomText(entryIndex);
    typedEntry_ = entryIndex;
    typedText_ = text.left(entry->maxLength()).replace(u'\t', u' '); // an entry's text stays on one line
    entry->setFocus();
    entry->selectAll();
    QGuiApplication::clipboard()->setText(text);
    QTest::keySequence(entry, QKeySequence::Paste);
    return "type \"" + text.left(40).toStdString() + (text.size() > 40 ? "…" : "") + "\" (" +
           std::to_string(text.size()) + " characters) into " + entry->objectName().toStdString();
  }

  std::string optionalEntriesViolation() const {
    const bool temperatureWanted = form_.Combo7->currentIndex() != 0;
    const bool bondStrengthWanted = form_.Combo4->currentIndex() == 0;
    if (form_.Label12->isHidden() == temperatureWanted || form_.Text4->isHidden() == temperatureWanted) {
      return "the temperature-factor entry does not follow Combo7";
    }
    if (form_.Label28->isHidden() == bondStrengthWanted || form_.Text5->isHidden() == bondStrengthWanted) {
      return "the bond-strength entry does not follow Combo4";
    }
    return {};
  }

  std::string displaysViolation() const {
    const Snapshot now = snapshot();
    for (std::size_t i = 0; i < now.displays.size(); ++i) {
      const std::string text = now.displays.at(i).toStdString();
      const std::optional<float> value = strictSingle(text);
      if (!text.empty() && (!value || formatSingle(*value) != text)) {
        return displays().at(i)->objectName().toStdString() + " shows \"" + text + "\", not a number";
      }
      const bool emptied = action_ == Action::RestoreDefaults && text.empty();
      const bool written = action_ == Action::Calculate;
      if (now.displays.at(i) != before_.displays.at(i) && !emptied && !written) {
        return displays().at(i)->objectName().toStdString() + " changed without a run";
      }
      if (action_ == Action::Calculate && messages_.empty() && text.empty()) {
        return displays().at(i)->objectName().toStdString() + " is empty after a complete run";
      }
      if (action_ == Action::RestoreDefaults && !text.empty()) {
        return displays().at(i)->objectName().toStdString() + " kept its value through Restore defaults";
      }
    }
    return {};
  }

  std::string messagesViolation() const {
    if (action_ != Action::Calculate && !messages_.empty()) {
      return "a message box without a press of Calculate";
    }
    if (messages_.size() > 1) {
      return "more than one message box for one press";
    }
    if (messages_.size() == 1 && messages_.front().isEmpty()) {
      return "an empty message box";
    }
    return {};
  }

  // Which entry texts may change, and to what, after the last action.
  std::string entriesViolation() const {
    const Snapshot now = snapshot();
    const QString message = messages_.empty() ? QString() : messages_.front();
    for (std::size_t i = 0; i < now.entries.size(); ++i) {
      const QString &was = before_.entries.at(i);
      const QString &is = now.entries.at(i);
      const std::string name = entries().at(i)->objectName().toStdString();
      QString expected = was;
      if (action_ == Action::Type && i == typedEntry_) {
        expected = typedText_;
      } else if (action_ == Action::RestoreDefaults && i < 3) {
        expected = std::array<QString, 3>{"100", "50", "1.1"}.at(i);
      } else if (action_ == Action::Calculate) {
        if ((i == 0 && message == spacingRejection) || (i == 1 && message == edgeRejection)) {
          expected = "";
        }
        const std::optional<double> moisture = strictDouble(was.toStdString());
        const bool belowFloor = i == 2 && moisture && *moisture < 1.1;
        if (belowFloor && message.isEmpty()) {
          expected = "1.1"; // a complete run has passed the moisture floor
        } else if (belowFloor && is == "1.1") {
          expected = is; // a later stage refused the input after the floor applied
        }
      }
      if (is != expected) {
        return name + " reads \"" + is.left(40).toStdString() + "\" instead of \"" +
               expected.left(40).toStdString() + "\"";
      }
    }
    return {};
  }

  AnsweredForm form_;
  std::mt19937 random_;
  std::vector<QString> messages_;
  Snapshot before_;
  Action action_ = Action::Pick;
  std::size_t typedEntry_ = 0;
  QString typedText_;
};

std::vector<std::uint32_t> soakSeeds() {
  const QByteArray chosen = qgetenv("TAVRIN_SOAK_SEED");
  if (!chosen.isEmpty()) {
    return {chosen.toUInt()};
  }
  return {1, 2, 3};
}

class FormSoak : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(FormSoak, TenThousandRandomActionsKeepTheWindowWhole) {
  const std::uint32_t seed = GetParam();
  Soak soak(seed);
  for (int action = 1; action <= actionCount; ++action) {
    const std::string what = soak.act();
    const std::string violation = soak.violation();
    ASSERT_EQ(violation, "") << "seed " << seed << " (replay with TAVRIN_SOAK_SEED=" << seed << "), action "
                             << action << ": " << what;
    if (action % actionsBetweenEventLoops == 0) {
      soak.letEventsRun();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, FormSoak, ::testing::ValuesIn(soakSeeds()));

} // namespace
} // namespace tavrin::test
