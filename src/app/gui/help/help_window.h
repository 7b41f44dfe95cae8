// The user guide in a window of the program: a text browser over the shipped HTML pages, so
// the guide reads the same whether or not the desktop has a browser.
#pragma once

#include <QWidget>

#include "app/gui/help/help_viewer.h"

class QTextBrowser;
class QToolButton;

namespace morvane {

class IPrompt;

class TfrmHelp : public QWidget {
  Q_OBJECT

 public:
  // `open_url` hands the current page to the desktop's viewer on request.
  explicit TfrmHelp(UrlOpener open_url, QWidget* parent = nullptr);

  // Shows the guide's first page found from `program_dir` (see HelpFileCandidates) and brings
  // the window to the front, over the main window the first time. Warns through the prompt and
  // stays hidden when there is no guide.
  bool ShowGuide(const QString& program_dir, IPrompt& prompt);

  QTextBrowser* txtHelp = nullptr;
  QToolButton* cmdBack = nullptr;
  QToolButton* cmdForward = nullptr;
  QToolButton* cmdHome = nullptr;
  QToolButton* cmdBrowser = nullptr;

 private:
  // The first time it is shown, the window is centred over the window it belongs to.
  void PlaceOverParent();

  UrlOpener open_url_;
  bool placed_ = false;
};

}  // namespace morvane
