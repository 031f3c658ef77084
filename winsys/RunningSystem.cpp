#include "RunningSystem.h"

#include <windows.h>

namespace winui {

namespace {
// GetVersion: major version in the low byte, the 9x family in the top bit.
// It answers on every Windows, unlike GetVersionEx's larger structure.
DWORD Version() { return GetVersion(); }
}  // namespace

bool RunsOnWindows9x() { return (Version() & 0x80000000u) != 0; }

bool RunsOnWindows2000OrLater() { return !RunsOnWindows9x() && LOBYTE(LOWORD(Version())) >= 5; }

}  // namespace winui
