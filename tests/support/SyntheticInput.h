#pragma once
#include <windows.h>

#include <vector>

// Real keyboard and mouse input through the system's input queue, for the
// tests, the benchmarks and the end-to-end helpers. Nothing here waits:
// each caller waits as the window under test needs it to (pumping its own
// loop, or sleeping while another thread's loop takes the input).
namespace testing_support {

// A key's press or release. The scan code is what programs that read keys
// by their position see; 0 sends none, as a key sent by another program.
void PressKey(BYTE key, BYTE scanCode = 0);
void ReleaseKey(BYTE key, BYTE scanCode = 0);
// The scan code of the key's position on the keyboard.
BYTE ScanCodeOf(BYTE key);

void QueueKey(BYTE key);
// Pressed and released with its scan code, Shift held around it when asked:
// a key as the keyboard sends it.
void QueueKeyWithScanCode(BYTE key, bool shift = false);
// Pressed in order, released in reverse: a shortcut.
void QueueKeys(const std::vector<BYTE>& keys);

// A button's press or release where the pointer is (MOUSEEVENTF_LEFTDOWN,
// MOUSEEVENTF_LEFTUP, ...).
void MouseButton(DWORD event);
// A left click at a point of the screen, the pointer moved there first.
void QueueClickAtScreen(POINT point);
// The same at the centre of a window.
void ClickControl(HWND window);
// A press and release that carry their position (absolute coordinates): a
// pointer moved just before may still be overtaken by the display's own
// pointer report.
void QueueClickCarryingPosition(POINT point);

}  // namespace testing_support
