// `morvane --help` and `morvane --version` answer on standard output and end, without a display.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

TEST(ProgramOptions, HelpAndVersionPrintWithoutOpeningAWindow) {
  QTemporaryDir dir;
  const std::string out = dir.filePath(QStringLiteral("out.txt")).toStdString();
  const struct {
    const char* option;
    const char* expected;
  } cases[] = {
      {"--version", "morvane " MORVANE_VERSION "\n"},
      {"-v", "morvane " MORVANE_VERSION "\n"},
      {"--help", "使い方: morvane [PROJECT.vnk]"},
      {"-h", "--version"},
  };
  for (const auto& c : cases) {
    // No display of any kind: a window could not even be tried.
    const std::string command =
        std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '") +
        MORVANE_GUI_PROGRAM + "' " + c.option + " > '" + out + "' 2>&1 < /dev/null";
    const int status = std::system(command.c_str());
    std::ifstream file(out);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.option << "\n" << text.str();
    EXPECT_NE(text.str().find(c.expected), std::string::npos) << c.option << "\n" << text.str();
  }
}

}  // namespace
