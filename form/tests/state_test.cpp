#include "form/tests/form_probe.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <gtest/gtest.h>

#include <initializer_list>

namespace tavrin::test {
namespace {

const std::string kTemperatureCaption = "温度影响系数";
const std::string kBondStrengthCaption = "请输入胶粘剂粘结强度设计值fbd:";
const std::initializer_list<const char *> kResultDisplays = {"Text6",   "Text7",   "Label22", "Label24",
                                                             "Label14", "Label16", "Label18", "Label20"};

// The window after loading: the default inputs, both optional entries hidden, no results.
FormView defaultView(FormView view) {
  const FormView defaults = {
      {"Combo9", {"1:6"}},        {"Combo8", {"1:>=8"}},
      {"Combo10", {"0:I、II类"}}, {"Combo1", {"1:C25"}},
      {"Combo2", {"1:30"}},       {"Combo4", {"1:HRB335"}},
      {"Combo3", {"5:16"}},       {"Combo5", {"0:A级胶"}},
      {"Text1", {"100"}},         {"Text2", {"50"}},
      {"Combo6", {"2:其他构件"}}, {"Text3", {"1.1"}},
      {"Combo7", {"0:≤60℃"}},     {"Label12", {kTemperatureCaption, true}},
      {"Text4", {"", true}},      {"Label28", {kBondStrengthCaption, true}},
      {"Text5", {"", true}},
  };
  for (const auto &[name, shown] : defaults) {
    view[name] = shown;
  }
  for (const char *display : kResultDisplays) {
    view[display] = {};
  }
  return view;
}

TEST(FormState, CreatedWithNothingChosenAndTheBondStrengthEntryShown) {
  const Form1 form;
  for (const auto &[name, shown] : viewOf(form)) {
    SCOPED_TRACE(name);
    if (name.starts_with("Combo")) {
      EXPECT_EQ(shown.shows, "-1:");
    } else if (name.starts_with("Text")) {
      EXPECT_EQ(shown.shows, "");
    }
    EXPECT_EQ(shown.hidden, name == "Label12" || name == "Text4");
  }
}

TEST(FormState, LoadFormPutsTheDefaultsInPlace) {
  Form1 form;
  const FormView created = viewOf(form);
  form.loadForm();
  EXPECT_EQ(viewOf(form), defaultView(created));
}

// Setting a list from the program runs its reaction at once, like a pick; each reaction touches only its
// own optional entry and label.
TEST(FormState, SteelGradeAndTemperatureShowTheirOptionalEntries) {
  struct Case {
    QComboBox *Form1::*list;
    int index;
    const char *label;
    const char *entry;
    bool shown;
  };
  const Case cases[] = {
      {&Form1::Combo4, 0, "Label28", "Text5", true},  {&Form1::Combo4, 1, "Label28", "Text5", false},
      {&Form1::Combo4, 2, "Label28", "Text5", false}, {&Form1::Combo4, -1, "Label28", "Text5", false},
      {&Form1::Combo7, 1, "Label12", "Text4", true},  {&Form1::Combo7, 0, "Label12", "Text4", false},
      {&Form1::Combo7, -1, "Label12", "Text4", true},
  };
  for (const Case &c : cases) {
    Form1 form;
    form.loadForm();
    form.Text4->setText("1.2");
    form.Text5->setText("3.5");
    (form.*c.list)->setCurrentIndex(c.index);
    SCOPED_TRACE((form.*c.list)->objectName().toStdString() + " index " + std::to_string(c.index));
    FormView view = viewOf(form);
    EXPECT_EQ(view[c.label].hidden, !c.shown);
    EXPECT_EQ(view[c.entry].hidden, !c.shown);
    EXPECT_EQ(view[c.entry].shows, c.entry == std::string("Text4") ? "1.2" : "3.5");

    form.loadForm();
    view[(form.*c.list)->objectName().toStdString()] =
        viewOf(form)[(form.*c.list)->objectName().toStdString()];
    view[c.label].hidden = view[c.entry].hidden = true;
    EXPECT_EQ(view, viewOf(form)) << "nothing else changed";
  }
}

TEST(FormState, BondStrengthKeptThroughRestoreDefaults) {
  Form1 form;
  form.loadForm();
  QTest::keyClick(form.Combo4, Qt::Key_Up); // the user picks HPB235
  ASSERT_EQ(form.Combo4->currentText(), "HPB235");
  ASSERT_FALSE(form.Text5->isHidden());
  QTest::keyClicks(form.Text5, "3.5");

  form.restoreDefaults();
  EXPECT_EQ(form.Combo4->currentText(), "HRB335");
  EXPECT_TRUE(form.Label28->isHidden());
  EXPECT_TRUE(form.Text5->isHidden());

  QTest::keyClick(form.Combo4, Qt::Key_Up);
  EXPECT_FALSE(form.Label28->isHidden());
  EXPECT_FALSE(form.Text5->isHidden());
  EXPECT_EQ(form.Text5->text(), "3.5");
}

TEST(FormState, TemperatureFactorKeptWhileHidden) {
  Form1 form;
  form.loadForm();
  form.Combo7->setCurrentIndex(1);
  EXPECT_FALSE(form.Label12->isHidden());
  EXPECT_FALSE(form.Text4->isHidden());
  EXPECT_EQ(form.Text4->text(), "");
  QTest::keyClicks(form.Text4, "0.9");

  form.Combo7->setCurrentIndex(0);
  EXPECT_TRUE(form.Label12->isHidden());
  EXPECT_TRUE(form.Text4->isHidden());
  EXPECT_EQ(form.Text4->text(), "0.9");
}

// After a calculation and the user's own changes, the loaded state comes back, with the results emptied,
// except the texts typed into the two optional entries.
TEST(FormState, RestoreDefaultsBringsBackTheLoadedWindow) {
  Form1 form;
  const FormView created = viewOf(form);
  form.loadForm();
  for (QComboBox *list : form.findChildren<QComboBox *>(Qt::FindDirectChildrenOnly)) {
    list->setCurrentIndex(0);
  }
  form.Text1->setText("120");
  form.Text2->setText("45");
  form.Text3->setText("0.9");
  form.Text4->setText("1.2");
  form.Text5->setText("3.5");
  for (const char *display : kResultDisplays) {
    if (auto *entry = qobject_cast<QLineEdit *>(control(form, display))) {
      entry->setText("16");
    } else {
      control<QLabel>(form, display)->setText("2.7");
    }
  }

  form.restoreDefaults();
  FormView expected = defaultView(created);
  expected["Text4"].shows = "1.2";
  expected["Text5"].shows = "3.5";
  EXPECT_EQ(viewOf(form), expected);

  form.restoreDefaults();
  EXPECT_EQ(viewOf(form), expected) << "pressed again with the defaults in place";
}

// The selection reactions run nested while the defaults are set, so the lists alone hide both entries.
TEST(FormState, DefaultInputsHideTheOptionalEntriesThroughTheirLists) {
  Form1 form;
  form.Combo4->setCurrentIndex(0);
  form.Combo7->setCurrentIndex(1);
  ASSERT_FALSE(form.Text5->isHidden() || form.Text4->isHidden());
  form.applyDefaultInputs();
  for (const QWidget *optional :
       std::initializer_list<const QWidget *>{form.Label12, form.Text4, form.Label28, form.Text5}) {
    EXPECT_TRUE(optional->isHidden()) << optional->objectName().toStdString();
  }
}

TEST(FormState, ResultEntriesAreEditableLikeAnyOther) {
  Form1 form;
  form.loadForm();
  for (const QLineEdit *entry : form.findChildren<QLineEdit *>(Qt::FindDirectChildrenOnly)) {
    EXPECT_FALSE(entry->isReadOnly()) << entry->objectName().toStdString();
  }
  QTest::keyClicks(form.Text7, "999");
  EXPECT_EQ(form.Text7->text(), "999");
  form.restoreDefaults();
  EXPECT_EQ(form.Text7->text(), "");
}

// Qt would cut a text at 32,767 characters; a longer pasted text arrives whole in every entry.
TEST(FormState, EntriesTakeLongPastedTextsWhole) {
  Form1 form;
  const QString longText(40'000, u'7');
  QApplication::clipboard()->setText(longText);
  for (QLineEdit *entry : form.findChildren<QLineEdit *>(Qt::FindDirectChildrenOnly)) {
    entry->paste();
    EXPECT_EQ(entry->text().size(), longText.size()) << entry->objectName().toStdString();
  }
}

} // namespace
} // namespace tavrin::test
