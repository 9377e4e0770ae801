// SPDX-License-Identifier: MIT
#pragma once
// Command identifiers, for the window and its dialogs alike. Each command has one id, shared by
// its menu item, toolbar button, accelerator and prompt.

namespace tally {

// The program's own commands.
inline constexpr int ID_CLOCK_IN = 32771;
inline constexpr int ID_CLOCK_OUT = 32772;
inline constexpr int ID_EDIT_RAW_DATA = 32774;
inline constexpr int ID_OPTIONS = 32775;
inline constexpr int ID_INVOICE = 32776;
// View > Invoices: the invoice register.
inline constexpr int ID_VIEW_INVOICES = 32796;
inline constexpr int ID_GENERATE_INVOICE = 32779;
inline constexpr int ID_REMINDERS = 32780;
inline constexpr int ID_VIEW_HOURS_CHART = 32781;
// Clients: the Edit menu's dialog and the File menu's submenu of them.
inline constexpr int ID_CLIENTS = 32790;
inline constexpr int ID_FILE_CLIENT = 32791;
// Edit > Clock Out At: a forgotten Clock Out, back-dated.
inline constexpr int ID_CLOCK_OUT_AT = 32795;
// File > Merge Copy: a sync tool's conflict copy of the time log merged into it.
inline constexpr int ID_FILE_MERGE_COPY = 32797;

// The framework's commands.
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_FILE_SAVE_AS = 57604;
inline constexpr int ID_FILE_PRINT_SETUP = 57606;
inline constexpr int ID_FILE_PRINT = 57607;
inline constexpr int ID_FILE_PRINT_PREVIEW = 57609;
inline constexpr int ID_FILE_MRU_FILE1 = 57616;
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_PASTE = 57637;
inline constexpr int ID_EDIT_UNDO = 57643;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_NEXT_PANE = 57680;
inline constexpr int ID_PREV_PANE = 57681;
inline constexpr int ID_VIEW_TOOLBAR = 59392;
inline constexpr int ID_VIEW_STATUS_BAR = 59393;

// Status bar panes.
inline constexpr int ID_INDICATOR_INOUT = 57346;
inline constexpr int ID_INDICATOR_CLOCK = 57347;
inline constexpr int ID_INDICATOR_CLIENT = 57348;

}  // namespace tally
