#pragma once
#include <cstdint>
#include <string>
#include <string_view>

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
std::string UnicodeFileOfGlyphText(std::string_view codes, DocumentKind kind, Unconvertibles& problems);

// The kind of a file by its bytes, as below.
DocumentKind KindOfFile(std::string_view bytes);

// A file as the editor shows it: its kind, and its bytes as the control
// takes them (RTF or plain glyph codes), Unicode Persian turned into glyph
// codes, with what could not be. Throws core::Exception for a Unicode
// text that is not valid in its encoding.
struct ShownFile {
  DocumentKind kind = DocumentKind::GlyphText;
  std::string bytes;
  Unconvertibles problems;
};
ShownFile ShownFileOf(std::string bytes);

// The control's RTF as Unicode RTF or a web page; throws core::Exception
// for RTF beyond what the reader takes.
std::string UnicodeFileOfGlyphRtf(std::string_view rtf, DocumentKind kind, Unconvertibles& problems);


}  // namespace core
