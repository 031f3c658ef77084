#pragma once
#include <windows.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "PageLayout.h"

// The fonts of a document's run styles at a device's resolution, each made
// once: a size in half points (RTF's \fs) becomes the font's height in the
// device's pixels. They go into whichever context draws (the device's own,
// or a screen's mapped to its units), which gets its own font back when
// another takes them.
class RunFonts {
 public:
  RunFonts(HDC device, int dotsPerInchY) : dc_(device), dotsPerInchY_(dotsPerInchY) {}
  ~RunFonts();
  RunFonts(const RunFonts&) = delete;
  RunFonts& operator=(const RunFonts&) = delete;

  void DrawOn(HDC dc);
  void Select(const core::RunStyle& style);
  int Width(const core::RunStyle& style, const std::string& text);
  core::FontMetrics Metrics(const core::RunStyle& style);
  // Measures with these fonts, for laying text out; a code's width and a
  // style's metrics are asked of the context once.
  core::TextMeasure Measure();

 private:
  HFONT Create(const core::RunStyle& style) const;

  HDC dc_;
  int dotsPerInchY_;
  HGDIOBJ original_ = nullptr;
  std::map<core::RunStyle, HFONT> fonts_;
  std::map<core::RunStyle, std::array<int, 256>> codeWidths_;
  std::map<core::RunStyle, core::FontMetrics> metrics_;
};

// Pieces of laid-out text, each byte at the advance the layout gave it, so
// that what was laid out is what is drawn; bullets as discs. Drawn lower by
// `down` (less than 0: higher). Where the advances are the font's own on
// this context (laid out in its own measure), they are left to the font
// between tabs: Wine draws text many times slower when given them.
void DrawPlacedText(HDC dc, const std::vector<core::PlacedText>& pieces, RunFonts& fonts,
                    int down = 0, bool ownAdvances = false);
