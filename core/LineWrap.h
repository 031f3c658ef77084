#pragma once
#include <functional>
#include <string>
#include <vector>

namespace core {

// Breaks text into lines no wider than width, as measured: paragraphs end
// at CR LF, a lone CR or a lone LF; lines break at spaces, and a word wider
// than a whole line is cut where it has to be. An empty paragraph gives an
// empty line. Every line holds at least one character, so a width too
// small for any still makes progress.
std::vector<std::string> WrapText(const std::string& text, int width,
                                  const std::function<int(const std::string&)>& measure);

}  // namespace core
