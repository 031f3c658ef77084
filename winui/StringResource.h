#pragma once
#include <windows.h>

#include <string>

namespace winui {

// A text of the program's string table, as Windows-1252 bytes.
std::string LoadText(UINT id);

}  // namespace winui
