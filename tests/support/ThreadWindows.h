#pragma once
// Finding the windows of this thread, and what they show.
#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// A visible top-level window of this thread with the class (or any class
// when null) and caption, or null.
HWND FindThreadWindow(const char* className, const char* caption);

std::string WindowText(HWND hwnd);

// Children of a window with the class, in creation order.
std::vector<HWND> ChildrenOfClass(HWND parent, const char* className);
HWND ChildWithText(HWND parent, const std::string& text);

// A screen point on the window's close box, found by hit-testing.
bool CloseBoxPoint(HWND window, POINT& point);

}  // namespace testing_support
