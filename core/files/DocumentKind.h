#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "RtfDocument.h"
#include "Unconvertible.h"

namespace core {

// The kinds of file the editor opens and writes each back as it came:
// its own RTF and plain glyph codes, and the Unicode documents of other
// programs, whose Persian it turns into glyph codes on Open and back on Save.
enum class DocumentKind : std::uint8_t {
  DabiroRtf,
  GlyphText,
  Utf8Text,
  Utf8TextWithMark,  // with a byte order mark
  Utf16Text,         // little-endian, with a byte order mark
  Utf16BigEndianText,
  UnicodeRtf,
  WebPage,  // written only
};

// The kind as the status line names it: "Unicode text (UTF-8)".
const char* KindName(DocumentKind kind);

bool IsUnicodeText(DocumentKind kind);
bool IsGlyphKind(DocumentKind kind);  // written by the control itself

// The kind of a file that is not RTF, by its bytes: Unicode text when it
// starts with a byte order mark, or, without one, when all of it is UTF-8
// and most of its characters beyond ASCII are of the scripts and
// punctuation of Persian and Western text (glyph codes that happen to be
// valid UTF-8 read as Chinese, Korean or private characters); otherwise
// glyph codes.
DocumentKind TextKindOf(std::string_view bytes);

// A Unicode text file's bytes as glyph text, line breaks kept; throws
// core::Exception for bytes that are not of the kind.
std::string GlyphTextOfUnicodeFile(std::string_view bytes, Unconvertibles& problems);

// Glyph text as a file of the Unicode text kind, its byte order mark
// written where the kind has one.
std::string UnicodeFileOfGlyphText(std::string_view codes, DocumentKind kind,
                                   Unconvertibles& problems);

// What the control takes. With rich text, Unicode text goes in as the
// editor's RTF in the format given (what the glyph font cannot show but
// the system holds stays itself, in a face of its own), Unicode RTF
// converted; a plain edit takes Unicode text as glyph codes and RTF as the
// text it is.
struct TextIntake {
  bool richText = true;
  CharacterFormat format;
  std::function<bool(char32_t)> systemHolds = [](char32_t) { return false; };
};

// A file as the editor shows it: its kind, and its bytes as the control
// takes them (RTF or plain glyph codes), Unicode Persian turned into glyph
// codes, with what could not be. Throws core::Exception for a Unicode
// text that is not valid in its encoding.
struct ShownFile {
  DocumentKind kind = DocumentKind::GlyphText;
  std::string bytes;
  bool rtf = false;
  Unconvertibles problems;
};
ShownFile ShownFileOf(std::string bytes, const TextIntake& intake = {});

// The control's RTF as Unicode RTF, a web page or Unicode text; throws
// core::Exception for RTF beyond what the reader takes.
std::string UnicodeFileOfGlyphRtf(std::string_view rtf, DocumentKind kind,
                                  Unconvertibles& problems);

}  // namespace core
