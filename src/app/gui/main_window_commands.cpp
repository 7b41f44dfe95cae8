// The handlers of the File, Edit, View and Help menus and of the toolbar.
#include "app/gui/main_window_commands.h"

#include <QTreeWidget>

#include "app/gui/dialogs.h"
#include "app/gui/help/about_form.h"
#include "app/gui/main_window.h"

namespace morvane {

void mnuFile_OpenClick(TfrmMain& window) {
  if (window.SavePrompt()) window.FileOpen(QString());
  emit window.documentChanged();
}

void mnuFile_SaveClick(TfrmMain& window) {
  if (!window.CommandStates().save) return;
  window.FileSave(false);
  emit window.documentChanged();  // a failed save leaves the document as it was, still to be saved
}

void mnuFile_SaveAsClick(TfrmMain& window) {
  if (!window.CommandStates().saveAs) return;
  window.FileSave(true);
  emit window.documentChanged();
}

void mnuFile_ExcelOutputClick(TfrmMain& window) {
  if (!window.CommandStates().excelOutput) return;
  window.OutputExcel();
  emit window.documentChanged();
}

void mnuFile_ExitClick(TfrmMain& window) { window.close(); }

void mnuEdit_ListCopy_NoTitleClick(TfrmMain& window) {
  if (window.CommandStates().listCopy) window.Browser().mnuEdit_ListCopy_NoTitleClick();
}

void mnuEdit_ListCopy_TitleClick(TfrmMain& window) {
  if (window.CommandStates().listCopy) window.Browser().mnuEdit_ListCopy_TitleClick();
}

void mnuEdit_SelectAllClick(TfrmMain& window) {
  if (window.CommandStates().selectAll) window.Browser().mnuEdit_SelectAllClick();
}

void mnuEdit_SelectChangeClick(TfrmMain& window) {
  if (window.CommandStates().selectChange) window.Browser().mnuEdit_SelectChangeClick();
}

void mnuShow_ListClick(TfrmMain& window) {
  if (window.CommandStates().views) window.ShowListView();
}

void mnuShow_ERClick(TfrmMain& window) {
  if (window.CommandStates().views) window.ShowERView();
}

void mnuShow_FormatClick(TfrmMain& window) {
  if (!window.CommandStates().format) return;
  window.Dialogs().ShowFormat(true);
  emit window.documentChanged();
}

void mnuShow_FilterClick(TfrmMain& window) { window.Browser().FocusListFilter(); }

void tlbMain_ListClick(TfrmMain& window) { mnuShow_ListClick(window); }

void sbtUpClick(TfrmMain& window) { window.Browser().sbtUpClick(); }

void mnuHelp_HelpClick(TfrmMain& window) { window.Dialogs().ShowHelp(); }

void mnuHelp_AboutClick(TfrmMain& window) { window.Dialogs().About()->exec(); }

}  // namespace morvane
