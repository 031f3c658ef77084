#pragma once

namespace winui {

// The Windows the program runs on, where the way to do something differs.

// Windows 95, 98 or ME: Unicode functions and MoveFileEx are stubs there.
bool RunsOnWindows9x();

// Windows 2000 or later of the NT family: the larger common dialog
// structures and their newer look.
bool RunsOnWindows2000OrLater();

}  // namespace winui
