#pragma once
#include <string>

// The folders the installer needs, each read whole however long the
// system's path is.
std::string WindowsDirectory();
std::string SystemDirectory();
std::string OwnExecutablePath();
