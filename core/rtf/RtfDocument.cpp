#include "RtfDocument.h"

#include <algorithm>

#include "CodePages.h"
#include "Exceptions.h"
#include "RtfFontTable.h"
#include "RtfReaderLimits.h"
#include "RtfTokenizer.h"

namespace core {

namespace {

class Reader {
 public:
  explicit Reader(std::string_view rtf) : tokens_(rtf), fonts_(document_.faces) {}

  RtfDocument Read() {
    for (RtfToken token = tokens_.Next(); token.kind != RtfToken::Kind::End;
         token = tokens_.Next()) {
      const bool first = groupStart_;
      groupStart_ = false;
      switch (token.kind) {
        case RtfToken::Kind::Open:
          Open();
          break;
        case RtfToken::Kind::Close:
          Close();
          break;
        case RtfToken::Kind::Word:
          ControlWord(token, first);
          break;
        case RtfToken::Kind::Symbol:
          Symbol(token.byte, first);
          break;
        case RtfToken::Kind::Byte:
          Byte(token.byte);
          break;
        case RtfToken::Kind::End:
          break;
      }
    }
    if (!paragraph_.characters.empty()) EndParagraph();
    return std::move(document_);
  }

 private:
  enum class Destination { Body, FontTable, ColorTable, NumberText, Skip };
  struct State {
    Destination destination = Destination::Body;
    CharacterFormat format;
    int font = -1;
    char32_t (*decode)(unsigned char) = Cp1252;  // the code page of the font's bytes
    int fallbackLength = 1;                      // \uc
  };

  void Open() {
    stack_.push_back(state_);
    groupStart_ = true;
  }

  void Close() {
    if (state_.destination == Destination::FontTable) fonts_.End();
    if (stack_.empty()) return;
    state_ = stack_.back();
    stack_.pop_back();
    fallbackLeft_ = 0;
  }

  void ControlWord(const RtfToken& token, bool first) {
    const std::string_view word = token.word;
    // A bulleted or numbered paragraph says so in the skipped group that
    // describes its bullet or number.
    if (NumberingWord(word, token.parameter, first)) return;
    if (state_.destination == Destination::Skip || state_.destination == Destination::NumberText)
      return;
    if (first && word == "colortbl") {
      state_.destination = Destination::ColorTable;
      return;
    }
    if (state_.destination == Destination::ColorTable) return ColorWord(word, token.parameter);
    if (first && IsSkippedDestination(word)) {
      state_.destination = Destination::Skip;
      return;
    }
    if (word == "fonttbl") {
      state_.destination = Destination::FontTable;
      return;
    }
    if (word == "f") {
      if (state_.destination == Destination::FontTable)
        fonts_.Begin(token.parameter);
      else
        SetFont(token.parameter);
      return;
    }
    if (state_.destination == Destination::FontTable) {
      if (word == "fcharset") fonts_.SetCharset(token.parameter);
      return;
    }
    const bool on = !token.hasParameter || token.parameter != 0;
    CharacterFormat& format = state_.format;
    if (ParagraphWord(word, token.parameter)) return;
    if (word == "deff")
      defaultFont_ = token.parameter;
    else if (word == "ansicpg")
      document_.codePage = token.parameter == 1256 ? 1256 : 1252;
    else if (word == "b")
      format.bold = on;
    else if (word == "i")
      format.italic = on;
    else if (word == "strike")
      format.strikeOut = on;
    else if (IsUnderline(word))
      format.underline = on;
    else if (word == "ulnone")
      format.underline = false;
    else if (word == "cf")
      format.color = static_cast<std::int16_t>(std::clamp(token.parameter, -1, 0x7FFF));
    else if (word == "fs" && token.parameter > 0)
      format.halfPoints = static_cast<std::uint16_t>(std::min(token.parameter, 3276));
    else if (word == "plain")
      Plain();
    else if (word == "uc")
      state_.fallbackLength = std::max(0, std::min(token.parameter, 16));
    else if (word == "u")
      Unicode(token.parameter);
    else if (word == "tab" || word == "cell")
      Character('\t', IsGlyphFace());  // as a tab byte is
    else if (word == "emdash")
      Character(0x2014, false);
    else if (word == "endash")
      Character(0x2013, false);
    else if (word == "lquote")
      Character(0x2018, false);
    else if (word == "rquote")
      Character(0x2019, false);
    else if (word == "ldblquote")
      Character(0x201C, false);
    else if (word == "rdblquote")
      Character(0x201D, false);
    else if (word == "bullet")
      Character(0x2022, false);
  }

  static bool IsUnderline(std::string_view word) {
    for (const std::string_view kind : {"ul", "uld", "uldb", "ulw", "ulth", "uldash", "ulwave"})
      if (word == kind) return true;
    return false;
  }

  bool ParagraphWord(std::string_view word, int parameter) {
    ParagraphFormat& format = paragraph_;
    if (word == "par" || word == "line" || word == "sect" || word == "page" || word == "row")
      EndParagraph();
    else if (word == "pard")
      format = ParagraphFormat{};
    else if (word == "ql")
      format.alignment = Alignment::Left;
    else if (word == "qr")
      format.alignment = Alignment::Right;
    else if (word == "qc")
      format.alignment = Alignment::Center;
    else if (word == "qj")
      format.alignment = Alignment::Justify;
    else if (word == "li")
      format.leftIndent = parameter;
    else if (word == "ri")
      format.rightIndent = parameter;
    else if (word == "fi")
      format.firstIndent = parameter;
    else if (word == "tx" || word == "tb")
      AddTabStop(parameter);
    else
      return false;
    return true;
  }

  // As many stops as a rich edit control keeps.
  void AddTabStop(int twips) {
    if (paragraph_.tabStops.size() < 32) paragraph_.tabStops.push_back(twips);
  }

  bool NumberingWord(std::string_view word, int parameter, bool first) {
    Numbering& numbering = paragraph_.numbering;
    static constexpr std::pair<std::string_view, NumberKind> kinds[] = {
        {"pndec", NumberKind::Decimal},
        {"pnlcltr", NumberKind::LowerLetter},
        {"pnucltr", NumberKind::UpperLetter},
        {"pnlcrm", NumberKind::LowerRoman},
        {"pnucrm", NumberKind::UpperRoman}};
    if (word == "pn") {  // a new description
      numbering = Numbering{};
      paragraph_.bullet = false;
    } else if (word == "pnlvlblt")
      paragraph_.bullet = true;
    else if (word == "pnlvlbody")
      numbering.kind = NumberKind::Decimal;  // unless it says another
    else if (word == "pnstart")
      numbering.start = std::clamp(parameter, 0, 0x7FFF);
    else if (first && (word == "pntxta" || word == "pntxtb")) {
      numberAfter_ = word == "pntxta";
      (numberAfter_ ? numbering.after : numbering.before).clear();
      state_.destination = Destination::NumberText;
    } else {
      for (const auto& [name, kind] : kinds)
        if (word == name) return numbering.kind = kind, true;
      return false;
    }
    return true;
  }

  void ColorWord(std::string_view word, int parameter) {
    const std::uint32_t part = static_cast<std::uint32_t>(std::clamp(parameter, 0, 255));
    if (word == "red")
      color_ = (color_ & 0xFFFF00) | part;
    else if (word == "green")
      color_ = (color_ & 0xFF00FF) | part << 8;
    else if (word == "blue")
      color_ = (color_ & 0x00FFFF) | part << 16;
  }

  void Plain() {
    state_.format = CharacterFormat{};
    SetFont(defaultFont_);
  }

  void Symbol(unsigned char symbol, bool first) {
    if (state_.destination == Destination::Skip) return;
    if (symbol == '*') {
      if (first) state_.destination = Destination::Skip;
      return;
    }
    if (state_.destination == Destination::FontTable) {
      if (symbol == '\\' || symbol == '{' || symbol == '}')
        fonts_.AddToName(static_cast<char>(symbol));
      return;
    }
    if (state_.destination == Destination::ColorTable) return;
    if (symbol == '\\' || symbol == '{' || symbol == '}')
      Byte(symbol);
    else if (symbol == '~')
      Character(0x00A0, false);
    else if (symbol == '_')
      Character(0x2011, false);
    else if (symbol == '\n')
      EndParagraph();
  }

  void Byte(unsigned char byte) {
    if (state_.destination == Destination::Skip) return;
    if (state_.destination == Destination::FontTable) {
      if (byte == ';')
        fonts_.End();
      else
        fonts_.AddToName(static_cast<char>(byte));
      return;
    }
    if (state_.destination == Destination::ColorTable) {
      if (byte == ';' && document_.colors.size() < 0x7FFF) document_.colors.push_back(color_);
      if (byte == ';') color_ = 0;
      return;
    }
    if (state_.destination == Destination::NumberText) {
      std::string& text = numberAfter_ ? paragraph_.numbering.after : paragraph_.numbering.before;
      if (byte >= 0x20 && text.size() < 32) text += static_cast<char>(byte);
      return;
    }
    if (byte < 0x20 && byte != '\t') return;
    if (IsGlyphFace())
      Character(byte, true);
    else
      Character(state_.decode(byte), false);
  }

  void Unicode(std::int32_t parameter) {
    if (state_.destination != Destination::Body) return;
    const char32_t value =
        static_cast<char32_t>(parameter < 0 ? parameter + 0x10000 : parameter) & 0xFFFF;
    if (IsGlyphFace() && value >= 0xF000 && value <= 0xF0FF)
      Character(value - 0xF000, true);
    else if (IsGlyphFace() && value < 0x80)
      Character(value, true);
    else
      Character(value, false);
    fallbackLeft_ = state_.fallbackLength;
  }

  void Character(char32_t character, bool glyph) {
    if (state_.destination != Destination::Body) return;
    if (state_.font < 0) SetFont(defaultFont_);
    if (fallbackLeft_ > 0) {
      --fallbackLeft_;
      return;
    }
    auto& characters = paragraph_.characters;
    // A surrogate pair written as two \uN.
    if (!glyph && character >= 0xDC00 && character <= 0xDFFF && !characters.empty() &&
        !characters.back().glyph && characters.back().character >= 0xD800 &&
        characters.back().character < 0xDC00) {
      characters.back().character =
          0x10000 + ((characters.back().character - 0xD800) << 10) + (character - 0xDC00);
      return;
    }
    characters.push_back({character, glyph, state_.format});
    paragraph_.rightToLeft |= glyph;
  }

  void EndParagraph() {
    // A font the table lacks would add a face to the document for nothing.
    if (state_.font < 0 && fonts_.Has(defaultFont_)) SetFont(defaultFont_);
    paragraph_.mark = state_.format;
    document_.paragraphs.push_back(paragraph_);
    paragraph_.characters.clear();
    paragraph_.rightToLeft = false;
  }

  // A font that names no character set, or one without a table here, takes
  // the document's code page.
  char32_t (*Decoder(int charset) const)(unsigned char) {
    return FontCodePage(charset, document_.codePage) == 1256 ? Cp1256 : Cp1252;
  }

  void SetFont(int font) {
    const RtfFontTable::Font found = fonts_.Find(font);
    state_.font = font;
    state_.format.face = found.face;
    state_.decode = Decoder(found.charset);
  }

  bool IsGlyphFace() {
    if (state_.font < 0) SetFont(defaultFont_);
    return state_.format.face == 0;
  }

  RtfTokenizer tokens_;
  RtfDocument document_;
  RtfFontTable fonts_;  // adds to document_.faces
  RtfParagraph paragraph_;
  State state_;
  std::vector<State> stack_;
  bool groupStart_ = false;
  int fallbackLeft_ = 0;
  int defaultFont_ = 0;
  std::uint32_t color_ = 0;
  bool numberAfter_ = false;
};

}  // namespace

int FontCodePage(int charset, int documentCodePage) {
  constexpr int ArabicCharset = 178, WesternCharset = 0;
  if (charset == ArabicCharset) return 1256;
  if (charset == WesternCharset) return 1252;
  return documentCodePage;
}

RtfDocument ReadRtf(std::string_view rtf) {
  if (rtf.substr(0, 5) != "{\\rtf") throw Exception("the input is not an RTF document");
  RtfReaderLimits limits;
  if (!limits.Admit(rtf.data(), rtf.size()))
    throw Exception(
        "the RTF document nests its groups too deeply or holds an overlong word or name");
  return Reader(rtf).Read();
}

}  // namespace core
