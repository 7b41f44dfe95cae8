// What the database code shows while it works: texts in the main window's status bar and the
// hourglass cursor. The GUI implements it on its status bar `stbMsg`; the command-line tool and
// the tests use their own.
#pragma once

#include <string>

namespace morvane {

// Panels of the status bar written by the database code.
constexpr int kConnectionPanel = 1;  // the data source, or the state of the connection
constexpr int kActivityPanel = 2;    // the current activity

class IStatusBar {
 public:
  virtual ~IStatusBar() = default;
  // Shows `text_cp932` in panel `panel`.
  virtual void SetPanelText(int panel, const std::string& text_cp932) = 0;
  // Shows the hourglass cursor while `busy`, the normal cursor otherwise.
  virtual void SetBusy(bool busy) = 0;
};

// A status bar that shows nothing.
class NullStatusBar : public IStatusBar {
 public:
  void SetPanelText(int, const std::string&) override {}
  void SetBusy(bool) override {}
};

}  // namespace morvane
