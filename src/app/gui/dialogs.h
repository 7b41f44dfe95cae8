// TDialogs: the main window's dialogs and tool windows, each made on first use as a child of the
// window and reused afterwards. The one place that owns them; the commands reach them here.
#pragma once

#include <QString>

#include "app/gui/help/help_viewer.h"

namespace morvane {

class IPrompt;
class TfrmAbout;
class TfrmConnect;
class TfrmERSelect;
class TfrmERTable;
class TfrmFormat;
class TfrmHelp;
class TfrmImport;
class TfrmMain;

class TDialogs {
 public:
  TDialogs(TfrmMain& window, IPrompt& prompt) : window_(window), prompt_(prompt) {}

  TfrmConnect* Connect();
  // Applied settings refill the list and refresh the commands.
  TfrmFormat* Format();
  TfrmImport* Import();
  TfrmERSelect* ERSelect();
  TfrmAbout* About();
  TfrmERTable* ERTable();

  // The format dialog for the current data kind: modal from the menu; modeless when the Excel
  // output rejects an address, so the user can correct it beside the template.
  void ShowFormat(bool modal);

  // Shows the user guide in the desktop's viewer, or in the program's own help window where the
  // desktop has none; a message when the guide is missing.
  void ShowHelp();
  // Replaces the desktop viewer (by default xdg-open, whose failure shows the help window).
  void SetUrlOpener(UrlOpener opener) { open_url_ = std::move(opener); }
  // Where Help looks for the guide instead of beside the program (tests).
  void SetHelpDir(QString dir) { help_dir_ = std::move(dir); }

 private:
  TfrmMain& window_;
  IPrompt& prompt_;
  TfrmConnect* connect_ = nullptr;
  TfrmFormat* format_ = nullptr;
  TfrmImport* import_ = nullptr;
  TfrmERSelect* erSelect_ = nullptr;
  TfrmAbout* about_ = nullptr;
  TfrmERTable* erTable_ = nullptr;
  TfrmHelp* help_ = nullptr;
  UrlOpener open_url_;  // empty: xdg-open
  QString help_dir_;    // empty: the program's folder
};

}  // namespace morvane
