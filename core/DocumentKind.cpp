#include "DocumentKind.h"

#include <algorithm>

#include "Exceptions.h"
#include "GlyphToUnicode.h"
#include "UnicodeToGlyph.h"
#include "Utf.h"

namespace core {

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF", LittleEndianMark = "\xFF\xFE",
                           BigEndianMark = "\xFE\xFF";

bool StartsWith(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

// Persian and Western text beyond ASCII: the two-byte letters (Latin,
// Greek, Cyrillic, Hebrew, Arabic), punctuation and currency, the Arabic
// presentation forms.
bool IsExpectedBeyondAscii(char32_t character) {
  return (character >= 0x80 && character < 0x800) || (character >= 0x2000 && character < 0x20D0) ||
         (character >= 0xFB50 && character < 0xFF00);
}

// A sequence cut off by the end of the head, not by a fault.
std::size_t WithoutCutSequence(std::string_view head) {
  for (std::size_t back = 1; back <= 3 && back <= head.size(); ++back) {
    const auto byte = static_cast<unsigned char>(head[head.size() - back]);
    if (byte < 0x80) break;
    if (byte >= 0xC0) {
      const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
      return length > back ? head.size() - back : head.size();
    }
  }
  return head.size();
}

}  // namespace

const char* KindName(DocumentKind kind) {
  switch (kind) {
    case DocumentKind::DabiroRtf: return "Dabiro RTF";
    case DocumentKind::GlyphText: return "plain text";
    case DocumentKind::Utf8Text: return "Unicode text (UTF-8)";
    case DocumentKind::Utf8TextWithMark: return "Unicode text (UTF-8 with byte order mark)";
    case DocumentKind::Utf16Text: return "Unicode text (UTF-16)";
    case DocumentKind::Utf16BigEndianText: return "Unicode text (UTF-16 big-endian)";
    case DocumentKind::UnicodeRtf: return "Unicode RTF";
    case DocumentKind::WebPage: return "Web page";
  }
  return "";
}

bool IsUnicodeText(DocumentKind kind) {
  return kind == DocumentKind::Utf8Text || kind == DocumentKind::Utf8TextWithMark ||
         kind == DocumentKind::Utf16Text || kind == DocumentKind::Utf16BigEndianText;
}

bool IsGlyphKind(DocumentKind kind) { return kind == DocumentKind::DabiroRtf || kind == DocumentKind::GlyphText; }

DocumentKind TextKindOf(std::string_view bytes) {
  if (StartsWith(bytes, LittleEndianMark)) return DocumentKind::Utf16Text;
  if (StartsWith(bytes, BigEndianMark)) return DocumentKind::Utf16BigEndianText;
  if (StartsWith(bytes, Utf8Mark)) return DocumentKind::Utf8TextWithMark;
  std::u32string text;
  std::size_t faultAt = 0;
  if (!UnicodeFromUtf8(bytes, text, faultAt)) return DocumentKind::GlyphText;
  std::size_t beyondAscii = 0, expected = 0;
  for (const char32_t character : text) {
    if (character < 0x80) continue;
    ++beyondAscii;
    expected += IsExpectedBeyondAscii(character);
  }
  return beyondAscii > 0 && expected * 2 > beyondAscii ? DocumentKind::Utf8Text : DocumentKind::GlyphText;
}

bool MayBeUtf8Text(std::string_view head) {
  if (StartsWith(head, Utf8Mark) || StartsWith(head, LittleEndianMark) || StartsWith(head, BigEndianMark))
    return true;
  const auto beyondAscii = [](char byte) { return static_cast<unsigned char>(byte) >= 0x80; };
  if (std::none_of(head.begin(), head.end(), beyondAscii)) return false;
  std::u32string text;
  std::size_t faultAt = 0;
  return UnicodeFromUtf8(head.substr(0, WithoutCutSequence(head)), text, faultAt);
}

std::string GlyphTextOfUnicodeFile(std::string_view bytes, Unconvertibles& problems) {
  std::u32string text;
  std::size_t faultAt = 0;
  if (!UnicodeFromFileBytes(bytes, text, faultAt)) {
    const bool utf16 = StartsWith(bytes, LittleEndianMark) || StartsWith(bytes, BigEndianMark);
    throw Exception(std::string("it is not valid ") + (utf16 ? "UTF-16" : "UTF-8") + " (the fault is at byte " +
                    std::to_string(faultAt) + ")");
  }
  return UnicodeToGlyphs(text, problems);
}

std::string UnicodeFileOfGlyphText(std::string_view codes, DocumentKind kind, Unconvertibles& problems) {
  const std::u32string text = GlyphsToUnicode(codes, problems);
  switch (kind) {
    case DocumentKind::Utf16Text: return std::string(LittleEndianMark) + Utf16Bytes(Utf16FromUnicode(text), false);
    case DocumentKind::Utf16BigEndianText:
      return std::string(BigEndianMark) + Utf16Bytes(Utf16FromUnicode(text), true);
    case DocumentKind::Utf8TextWithMark: return std::string(Utf8Mark) + Utf8FromUnicode(text);
    default: return Utf8FromUnicode(text);
  }
}

}  // namespace core
