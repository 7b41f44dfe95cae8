// The handlers of the menu items and toolbar buttons, named after the items. Each checks the
// enabling rules again, so a shortcut pressed while its command is not allowed does nothing. They
// work through the main window's public side; the command table wires them to the items.
#pragma once

namespace morvane {

class TfrmMain;

// File menu.
void mnuFile_OpenClick(TfrmMain& window);
void mnuFile_SaveClick(TfrmMain& window);
void mnuFile_SaveAsClick(TfrmMain& window);
void mnuFile_ExcelOutputClick(TfrmMain& window);
void mnuFile_CompareClick(TfrmMain& window);
void mnuFile_ExitClick(TfrmMain& window);
// Edit menu.
void mnuEdit_ListCopy_NoTitleClick(TfrmMain& window);
void mnuEdit_ListCopy_TitleClick(TfrmMain& window);
void mnuEdit_SelectAllClick(TfrmMain& window);
void mnuEdit_SelectChangeClick(TfrmMain& window);
// View menu.
void mnuShow_ListClick(TfrmMain& window);
void mnuShow_ERClick(TfrmMain& window);
void mnuShow_FormatClick(TfrmMain& window);
// Focuses the filter box of the table list.
void mnuShow_FilterClick(TfrmMain& window);
// Database menu.
void mnuDB_ConnectClick(TfrmMain& window);
void mnuDB_DisConnectClick(TfrmMain& window);
void mnuDB_DataCountClick(TfrmMain& window);
// Fetches the current data kind again, or every data kind when none is current.
void mnuDB_FetchClick(TfrmMain& window);
// Help menu.
void mnuHelp_HelpClick(TfrmMain& window);
void mnuHelp_AboutClick(TfrmMain& window);
// Toolbar and path line.
void tlbMain_ListClick(TfrmMain& window);
void sbtUpClick(TfrmMain& window);

}  // namespace morvane
