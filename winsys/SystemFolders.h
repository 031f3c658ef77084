#pragma once
#include <string>

// The system's folders and the program's own path, each read whole however
// long the path is.
std::string WindowsDirectory();
std::string SystemDirectory();
std::string OwnExecutablePath();
