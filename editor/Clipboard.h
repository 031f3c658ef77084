#pragma once
#include <windows.h>

#include <string>

// Replaces the clipboard's contents with text as CF_TEXT. Failures are
// silent: a palette press examines no result.
void ReplaceClipboardText(HWND owner, const std::string& text);
