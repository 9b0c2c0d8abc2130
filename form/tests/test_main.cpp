#include "form/form1.h"

#include <QApplication>

#include <gtest/gtest.h>

// The window tests need a QApplication; without a screen they run on Qt's offscreen platform.
int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  tavrin::setUpApplication();
  return RUN_ALL_TESTS();
}
