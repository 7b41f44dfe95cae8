// The program's forms, created once at start in a fixed order; only the main window is shown.
#pragma once

#include <QStringList>
#include <memory>

namespace morvane {

class IPrompt;
class TfrmMain;
class TfrmERTable;
class TfrmAbout;
class TfrmConnect;
class TfrmFormat;
class TfrmERSelect;
class TfrmImport;

struct TForms {
  std::unique_ptr<TfrmMain> main;
  // Owned by the main window (their Qt parent) and kept in its dialogs.
  TfrmERTable* erTable = nullptr;
  TfrmAbout* about = nullptr;
  TfrmConnect* connect = nullptr;
  TfrmFormat* format = nullptr;
  TfrmERSelect* erSelect = nullptr;
  TfrmImport* import = nullptr;
};

// Creates the main window, then the ER table window, About, Connect, Format, ER sheet selection
// and Import, in this order.
std::unique_ptr<TForms> CreateForms(IPrompt& prompt, const QStringList& arguments);

}  // namespace morvane
