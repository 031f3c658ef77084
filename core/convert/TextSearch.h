#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "LineTyping.h"

namespace core {

// Finding words in glyph text whatever forms their letters take: the
// document and the query are compared as the letters a person reads in
// them (each code as its letter, lam-alef as two, no tatweel, Arabic yeh
// and kaf as the Persian ones), in reading order.

struct SearchOptions {
  bool wholeWord = false;  // not inside a longer word
  bool matchCase = false;  // Latin case counts, and so does a ZWNJ
};

// A match: the codes [start, end) of the document that show it.
struct Found {
  std::size_t start = 0, end = 0;
  bool wrapped = false;  // found after going round from the end to the top
};

// The letters a line of glyph codes is compared as.
std::u32string SearchLetters(std::string_view line, const SearchOptions& options);

// The next match in reading order after the selection [from, to) of the
// document (its lines in display order, as the control keeps them): on in
// the selection's line, then down the lines, then once round from the top.
std::optional<Found> FindNext(std::string_view document, std::size_t from, std::size_t to,
                              std::string_view query, const SearchOptions& options);

// Every match, from the top down, none overlapping another.
std::vector<Found> FindAll(std::string_view document, std::string_view query,
                           const SearchOptions& options);

// Every match of one line replaced; places count from the line's start.
struct LineReplacement {
  std::size_t lineStart = 0;
  // One after another, from the line's right end to its left: each puts the
  // replacement in place of one match as typing would (its neighbours
  // re-formed).
  std::vector<LineChange> steps;
  // All of them at once: what the steps change, in one.
  LineChange whole;
};

// The lines whose matches are replaced, from the document's end back, so
// that each leaves the places of those still to come.
std::vector<LineReplacement> ReplaceEach(std::string_view document, std::vector<Found> matches,
                                         std::u32string_view replacement);

}  // namespace core
