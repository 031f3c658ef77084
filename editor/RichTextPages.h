#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "PageLayout.h"
#include "RichDocument.h"

class RunFonts;

// A document's paragraphs laid out once on a printer's pages in their own
// fonts, sizes, styles, alignments and bullets, in the printer's own
// measure, over the text area (a rectangle of the printable area, whose
// corner is the origin of the printer's units). Any page can then be
// drawn, on the printer or on a screen context mapped to its units.
class RichTextPages {
 public:
  RichTextPages(HDC printer, const std::vector<core::RichParagraph>& paragraphs,
                const RECT& textArea);
  ~RichTextPages();
  RichTextPages(const RichTextPages&) = delete;
  RichTextPages& operator=(const RichTextPages&) = delete;

  int Count() const { return static_cast<int>(pages_.size()); }
  // Page index (from 0) on dc, the text area where it lies in the
  // printable area.
  void Draw(HDC dc, int index);

 private:
  std::unique_ptr<RunFonts> fonts_;
  RECT textArea_;
  std::vector<core::LaidOutPage> pages_;
};
