#include "form/tests/form_probe.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <initializer_list>

namespace tavrin::test {
namespace {

// A loaded window, shown and active, so that keyboard focus behaves as on a desktop.
class ShownForm : public ::testing::Test {
protected:
  void SetUp() override {
    form.loadForm();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }

  QString focused() const {
    const QWidget *widget = QApplication::focusWidget();
    return widget == nullptr ? QStringLiteral("(none)") : widget->objectName();
  }

  // Presses Tab from Combo1 until the focus comes back to it (or gives up after a full lap too many).
  QStringList tabLap() {
    form.Combo1->setFocus();
    QStringList visited{focused()};
    for (int presses = 0; presses < 60; ++presses) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << focused();
      if (visited.back() == u"Combo1") {
        break;
      }
    }
    return visited;
  }

  Form1 form;
};

TEST_F(ShownForm, FocusStartsOnConcreteGrade) {
  EXPECT_EQ(focused(), "Combo1");
}

TEST_F(ShownForm, TabGoesRoundTheInputsInTheirOrder) {
  struct Case {
    const char *setting;
    int steelGrade;
    int serviceTemperature;
    QStringList lap;
  };
  const Case cases[] = {
      {"optional entries hidden",
       1,
       0,
       {"Combo1", "Combo2", "Combo3", "Combo4", "Combo5", "Text1", "Text2", "Combo6", "Text3", "Combo7",
        "Text6", "Text7", "Command1", "Command2", "Combo8", "Combo9", "Combo10", "Combo1"}},
      {"HPB235 asks for the bond strength",
       0,
       0,
       {"Combo1", "Combo2", "Combo3", "Combo4", "Combo5", "Text1", "Text2", "Combo6", "Text3", "Combo7",
        "Text5", "Text6", "Text7", "Command1", "Command2", "Combo8", "Combo9", "Combo10", "Combo1"}},
      {"both optional entries shown", 0, 1, {"Combo1",   "Combo2", "Combo3", "Combo4",  "Combo5",
                                             "Text1",    "Text2",  "Combo6", "Text3",   "Combo7",
                                             "Text4",    "Text5",  "Text6",  "Text7",   "Command1",
                                             "Command2", "Combo8", "Combo9", "Combo10", "Combo1"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.setting);
    form.Combo4->setCurrentIndex(c.steelGrade);
    form.Combo7->setCurrentIndex(c.serviceTemperature);
    EXPECT_EQ(tabLap(), c.lap);
  }
}

// Neither button is a default or cancel button, wherever the focus is.
TEST_F(ShownForm, EnterAndEscapePressNothing) {
  QSignalSpy calculate(form.Command1, &QPushButton::clicked);
  QSignalSpy restore(form.Command2, &QPushButton::clicked);
  form.Text1->setText("75");
  for (QWidget *target :
       std::initializer_list<QWidget *>{form.Text1, form.Combo1, form.Command1, form.Command2}) {
    SCOPED_TRACE(target->objectName().toStdString());
    target->setFocus();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
      QTest::keyClick(target, key);
    }
  }
  EXPECT_EQ(calculate.count(), 0);
  EXPECT_EQ(restore.count(), 0);
  EXPECT_EQ(form.Text1->text(), "75") << "Restore defaults did not run";
  EXPECT_TRUE(form.isVisible());
}

TEST_F(ShownForm, RestoreDefaultsLeavesTheFocusOnItsButton) {
  form.Text1->setText("75");
  QTest::mouseClick(form.Command2, Qt::LeftButton);
  EXPECT_EQ(form.Text1->text(), "100");
  EXPECT_EQ(focused(), "Command2");
}

} // namespace
} // namespace tavrin::test
