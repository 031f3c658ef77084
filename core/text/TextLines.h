#pragma once
#include <cstddef>

namespace core {

// Calls line(start, end, number) for each line of a text, numbered from 1,
// and lineBreak(start, end) for the CR LF, LF or CR that ends it. A text
// that ends in a line break ends in an empty line.
template <typename Character, typename Line, typename Break>
void ForEachLine(const Character* text, std::size_t size, Line line, Break lineBreak) {
  std::size_t number = 1;
  for (std::size_t start = 0; start <= size;) {
    std::size_t end = start;
    while (end < size && text[end] != '\r' && text[end] != '\n') ++end;
    line(start, end, number);
    if (end == size) return;
    std::size_t next = end + 1;
    if (text[end] == '\r' && next < size && text[next] == '\n') ++next;
    lineBreak(end, next);
    start = next;
    ++number;
  }
}

}  // namespace core
