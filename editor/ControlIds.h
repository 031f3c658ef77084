#pragma once

// Child-window ids of the main window's standard controls.
enum ControlId {
  IdFontName = 1001,
  IdFontSize,
  IdUpDown,
  IdRichEdit,
  IdStatusBar,
  FirstMenuItemId = 100,
  FirstButtonShortcutId = 900,
};

// Timer ids of the main window.
enum TimerId {
  RecoveryTimerId = 1,
};
