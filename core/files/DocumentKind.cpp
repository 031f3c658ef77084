#include "DocumentKind.h"

#include "Exceptions.h"
#include "GlyphToUnicode.h"
#include "HtmlWriter.h"
#include "RtfConversion.h"
#include "UnicodeToGlyph.h"
#include "Utf.h"

namespace core {

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF", LittleEndianMark = "\xFF\xFE",
                           BigEndianMark = "\xFE\xFF";

bool StartsWith(std::string_view bytes, std::string_view mark) {
  return bytes.substr(0, mark.size()) == mark;
}

// Persian and Western text beyond ASCII: the two-byte letters (Latin,
// Greek, Cyrillic, Hebrew, Arabic), punctuation and currency, the Arabic
// presentation forms.
bool IsExpectedBeyondAscii(char32_t character) {
  return (character >= 0x80 && character < 0x800) || (character >= 0x2000 && character < 0x20D0) ||
         (character >= 0xFB50 && character < 0xFF00);
}

std::u32string UnicodeOfFile(std::string_view bytes) {
  std::u32string text;
  std::size_t faultAt = 0;
  if (!UnicodeFromFileBytes(bytes, text, faultAt)) {
    const bool utf16 = StartsWith(bytes, LittleEndianMark) || StartsWith(bytes, BigEndianMark);
    throw Exception(std::string("it is not valid ") + (utf16 ? "UTF-16" : "UTF-8") +
                    " (the fault is at byte " + std::to_string(faultAt) + ")");
  }
  return text;
}

// Unicode text as the bytes of a text file of the kind.
std::string EncodedText(std::u32string_view text, DocumentKind kind) {
  switch (kind) {
    case DocumentKind::Utf16Text:
      return std::string(LittleEndianMark) + Utf16Bytes(Utf16FromUnicode(text), false);
    case DocumentKind::Utf16BigEndianText:
      return std::string(BigEndianMark) + Utf16Bytes(Utf16FromUnicode(text), true);
    case DocumentKind::Utf8TextWithMark:
      return std::string(Utf8Mark) + Utf8FromUnicode(text);
    default:
      return Utf8FromUnicode(text);
  }
}

bool StartsAsRtf(std::string_view bytes) { return bytes.substr(0, 5) == "{\\rtf"; }

// The document when it is RTF whose Persian is Unicode; false also for RTF
// beyond what the reader takes, which the control tries as it comes.
bool IsUnicodePersianRtf(std::string_view bytes, RtfDocument& document) {
  try {
    document = ReadRtf(bytes);
    return IsUnicodePersian(document);
  } catch (const Exception&) {
    return false;
  }
}

}  // namespace

const char* KindName(DocumentKind kind) {
  switch (kind) {
    case DocumentKind::DabiroRtf:
      return "Dabiro RTF";
    case DocumentKind::GlyphText:
      return "plain text";
    case DocumentKind::Utf8Text:
      return "Unicode text (UTF-8)";
    case DocumentKind::Utf8TextWithMark:
      return "Unicode text (UTF-8 with byte order mark)";
    case DocumentKind::Utf16Text:
      return "Unicode text (UTF-16)";
    case DocumentKind::Utf16BigEndianText:
      return "Unicode text (UTF-16 big-endian)";
    case DocumentKind::UnicodeRtf:
      return "Unicode RTF";
    case DocumentKind::WebPage:
      return "Web page";
  }
  return "";
}

bool IsUnicodeText(DocumentKind kind) {
  return kind == DocumentKind::Utf8Text || kind == DocumentKind::Utf8TextWithMark ||
         kind == DocumentKind::Utf16Text || kind == DocumentKind::Utf16BigEndianText;
}

bool IsGlyphKind(DocumentKind kind) {
  return kind == DocumentKind::DabiroRtf || kind == DocumentKind::GlyphText;
}

DocumentKind TextKindOf(std::string_view bytes) {
  if (StartsWith(bytes, LittleEndianMark)) return DocumentKind::Utf16Text;
  if (StartsWith(bytes, BigEndianMark)) return DocumentKind::Utf16BigEndianText;
  if (StartsWith(bytes, Utf8Mark)) return DocumentKind::Utf8TextWithMark;
  std::size_t beyondAscii = 0, expected = 0;
  for (std::size_t index = 0; index < bytes.size();) {
    char32_t character = 0;
    const std::size_t length = Utf8CharacterAt(bytes, index, character);
    if (length == 0) return DocumentKind::GlyphText;
    index += length;
    if (character < 0x80) continue;
    ++beyondAscii;
    expected += IsExpectedBeyondAscii(character);
  }
  return beyondAscii > 0 && expected * 2 > beyondAscii ? DocumentKind::Utf8Text
                                                       : DocumentKind::GlyphText;
}

std::string GlyphTextOfUnicodeFile(std::string_view bytes, Unconvertibles& problems) {
  return UnicodeToGlyphs(UnicodeOfFile(bytes), problems);
}

std::string UnicodeFileOfGlyphText(std::string_view codes, DocumentKind kind,
                                   Unconvertibles& problems) {
  return EncodedText(GlyphsToUnicode(codes, problems), kind);
}

ShownFile ShownFileOf(std::string bytes, const TextIntake& intake) {
  ShownFile form;
  if (StartsAsRtf(bytes)) {
    RtfDocument document;
    form.rtf = true;
    if (intake.richText && IsUnicodePersianRtf(bytes, document)) {
      form.kind = DocumentKind::UnicodeRtf;
      form.bytes = GlyphRtf(GlyphDocument(document, form.problems));
    } else {
      form.kind = DocumentKind::DabiroRtf;
      form.bytes = std::move(bytes);
    }
    return form;
  }
  form.kind = TextKindOf(bytes);
  if (!IsUnicodeText(form.kind)) {
    form.bytes = std::move(bytes);
  } else if (!intake.richText) {
    form.bytes = GlyphTextOfUnicodeFile(bytes, form.problems);
  } else {
    const RtfDocument text =
        UnicodeTextDocument(UnicodeOfFile(bytes), intake.format, intake.systemHolds, form.problems);
    form.bytes = GlyphRtf(GlyphDocument(text, form.problems));
    form.rtf = true;
  }
  return form;
}

std::string UnicodeFileOfGlyphRtf(std::string_view rtf, DocumentKind kind,
                                  Unconvertibles& problems) {
  const RtfDocument unicode = UnicodeDocument(ReadRtf(rtf), problems);
  if (kind == DocumentKind::WebPage) return HtmlOfDocument(unicode);
  return IsUnicodeText(kind) ? EncodedText(TextOfDocument(unicode), kind) : UnicodeRtf(unicode);
}

}  // namespace core
