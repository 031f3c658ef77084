#include "Unconvertible.h"

#include <cstdio>

namespace core {

std::string Describe(const Unconvertible& problem) {
  char text[128];
  if (problem.isGlyphCode)
    std::snprintf(text, sizeof text,
                  "line %zu, column %zu: code %u has no glyph in the font Persian", problem.line,
                  problem.column, static_cast<unsigned>(problem.character));
  else
    std::snprintf(text, sizeof text,
                  "line %zu, column %zu: U+%04X cannot be written with the font Persian",
                  problem.line, problem.column, static_cast<unsigned>(problem.character));
  return text;
}

}  // namespace core
