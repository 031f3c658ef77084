#pragma once
// Finding and watching the windows of another process.
#include <windows.h>

#include <string>

// The visible top-level window with a caption and no owner: the main window.
HWND MainWindowOf(DWORD processId);

// A visible dialog box (file dialog, message box) of the process.
HWND DialogOf(DWORD processId);

// A visible top-level window of the process with the class.
HWND WindowOfClass(DWORD processId, const char* className);

// The visible rich edit control among the window's descendants, or null.
HWND RichEditIn(HWND window);

std::string TitleOf(HWND window);

// True when the process waits for input with nothing left to do: it is
// input-idle, its loop has answered a message, and the window and its
// children have nothing left to paint.
bool Settled(HANDLE process, HWND window);
