#pragma once
#include <string>

// The character set an installed face comes in, or -1 when no font has
// that face.
int CharsetOfFace(const std::string& face);
