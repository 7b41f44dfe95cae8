// Runs the GUI tests inside the program's own application object on the offscreen platform.
#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "app/gui/application.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  morvane::TApplication app(argc, argv);
  // Whatever a window remembers goes into a folder of this run, never the user's own.
  QTemporaryDir config;
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
