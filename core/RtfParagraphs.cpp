#include "RtfParagraphs.h"

#include <algorithm>
#include <map>
#include <set>

#include "RtfTokenizer.h"

namespace core {

namespace {

struct CharacterState {
  int font = -1;  // the document's default font
  int halfPoints = 24;
  bool bold = false, italic = false, underline = false, strikeOut = false;
};

struct GroupState {
  CharacterState characters;
  bool skipped = false;    // a destination whose text is not document text
  bool fontTable = false;  // inside \fonttbl
  int fallbackLength = 1;  // \uc: characters that follow a \u as its fallback
};

struct Font {
  std::string face;
  int charset = 0;
};

// Typographic characters that RTF names, as the Western code page has them.
const std::map<std::string, char>& NamedCharacters() {
  static const std::map<std::string, char> named{
      {"bullet", '\x95'},    {"endash", '\x96'}, {"emdash", '\x97'},
      {"lquote", '\x91'},    {"rquote", '\x92'}, {"ldblquote", '\x93'},
      {"rdblquote", '\x94'}, {"tab", ' '},       {"cell", ' '}};
  return named;
}

bool IsUnderlineOn(const std::string& word) {
  static const std::set<std::string> kinds{"ul", "uld", "uldb", "ulw", "ulth", "uldash", "ulwave"};
  return kinds.count(word) != 0;
}

class Reader {
 public:
  explicit Reader(const std::string& rtf) : tokens_(rtf) {}

  std::vector<RichParagraph> Read() {
    for (RtfToken token = tokens_.Next(); token.kind != RtfToken::Kind::End;
         token = tokens_.Next()) {
      if (token.kind == RtfToken::Kind::Open) {
        groups_.push_back(groups_.back());
        groupStart_ = true;
        fallbackLeft_ = 0;
        continue;
      }
      if (token.kind == RtfToken::Kind::Close) {
        // The document ends with its outermost group: a stream may carry
        // anything after it, a terminating NUL for one.
        if (groups_.size() == 2) break;
        if (groups_.size() > 1) groups_.pop_back();
        fallbackLeft_ = 0;
      } else if (token.kind == RtfToken::Kind::Word) {
        if (!SkipsFallback()) Word(std::string(token.word), token.hasParameter, token.parameter);
      } else if (token.kind == RtfToken::Kind::Symbol) {
        Symbol(static_cast<char>(token.byte));
      } else {
        Text(static_cast<char>(token.byte));
      }
      groupStart_ = false;
    }
    // The last paragraph needs no mark of its own.
    for (const TextRun& run : paragraph_.runs)
      if (!run.text.empty()) {
        EndParagraph();
        break;
      }
    return std::move(paragraphs_);
  }

 private:
  GroupState& Group() { return groups_.back(); }

  // A fallback character of a \u is consumed by whatever token comes next.
  bool SkipsFallback() {
    if (fallbackLeft_ == 0) return false;
    --fallbackLeft_;
    return true;
  }

  void Symbol(char c) {
    if (c == '*') Group().skipped = true;
    if (c == '\\' || c == '{' || c == '}') Text(c);
    if (c == '~') Text('\xA0');
    if (c == '_') Text('-');
    if (c == '\n') EndParagraph();
  }

  void Word(const std::string& word, bool hasParameter, int parameter) {
    const bool destination = groupStart_;
    if (word == "pnlvlblt") {
      paragraph_.bullet = true;  // in the skipped \pn group that describes it
    } else if (destination && word == "fonttbl") {
      Group().fontTable = true;
    } else if (destination && IsSkippedDestination(word)) {
      Group().skipped = true;
    } else if (Group().fontTable) {
      FontTableWord(word, parameter);
    } else if (!Group().skipped) {
      if (!ParagraphWord(word, parameter)) CharacterWord(word, hasParameter, parameter);
    }
  }

  void FontTableWord(const std::string& word, int parameter) {
    if (word == "f") fontNumber_ = parameter;
    if (word == "fcharset") fonts_[fontNumber_].charset = parameter;
  }

  bool ParagraphWord(const std::string& word, int parameter) {
    if (word == "par" || word == "line" || word == "sect" || word == "page" || word == "row") {
      EndParagraph();
    } else if (word == "pard") {
      RichParagraph plain;
      plain.runs = std::move(paragraph_.runs);
      paragraph_ = std::move(plain);
    } else if (word == "ql" || word == "qj") {
      paragraph_.alignment = Alignment::Left;
    } else if (word == "qr") {
      paragraph_.alignment = Alignment::Right;
    } else if (word == "qc") {
      paragraph_.alignment = Alignment::Center;
    } else if (word == "li") {
      paragraph_.leftIndent = parameter;
    } else if (word == "ri") {
      paragraph_.rightIndent = parameter;
    } else if (word == "fi") {
      paragraph_.firstIndent = parameter;
    } else {
      return false;
    }
    return true;
  }

  void CharacterWord(const std::string& word, bool hasParameter, int parameter) {
    CharacterState& state = Group().characters;
    const bool on = !hasParameter || parameter != 0;
    if (word == "plain") state = CharacterState{};
    if (word == "b") state.bold = on;
    if (word == "i") state.italic = on;
    if (word == "strike") state.strikeOut = on;
    if (IsUnderlineOn(word)) state.underline = on;
    if (word == "ulnone") state.underline = false;
    if (word == "fs" && parameter > 0) state.halfPoints = parameter;
    if (word == "f") state.font = parameter;
    if (word == "deff") defaultFont_ = parameter;
    if (word == "uc") Group().fallbackLength = std::max(0, parameter);
    if (word == "u") Unicode(parameter < 0 ? parameter + 65536 : parameter);
    const auto named = NamedCharacters().find(word);
    if (named != NamedCharacters().end()) Text(named->second);
  }

  // A glyph code or an ASCII character is taken as itself; anything else
  // is left to the fallback that follows it, in the code page.
  void Unicode(int character) {
    const bool glyphCode = character >= 0xF000 && character <= 0xF0FF;
    if (!glyphCode && character >= 0x80) return;
    Text(static_cast<char>(character & 0xFF));
    fallbackLeft_ = Group().fallbackLength;
  }

  void Text(char c) {
    if (SkipsFallback() || Group().skipped) return;
    if (Group().fontTable) return FontName(c);
    const RunStyle style = Style();
    if (paragraph_.runs.empty() || !(paragraph_.runs.back().style == style))
      paragraph_.runs.push_back(TextRun{style, ""});
    paragraph_.runs.back().text += c;
  }

  void FontName(char c) {
    if (c != ';') return void(fontName_ += c);
    fonts_[fontNumber_].face = fontName_;
    fontName_.clear();
  }

  RunStyle Style() {
    const CharacterState& state = Group().characters;
    const Font& font = fonts_[state.font < 0 ? defaultFont_ : state.font];
    RunStyle style;
    style.face = font.face;
    style.charset = font.charset;
    style.halfPoints = state.halfPoints;
    style.bold = state.bold;
    style.italic = state.italic;
    style.underline = state.underline;
    style.strikeOut = state.strikeOut;
    return style;
  }

  void EndParagraph() {
    if (paragraph_.runs.empty()) paragraph_.runs.push_back(TextRun{Style(), ""});
    paragraphs_.push_back(paragraph_);
    paragraph_.runs.clear();
  }

  RtfTokenizer tokens_;
  std::vector<GroupState> groups_{GroupState{}};
  bool groupStart_ = false;
  int fallbackLeft_ = 0;
  std::map<int, Font> fonts_;
  int fontNumber_ = 0;
  std::string fontName_;
  int defaultFont_ = 0;
  RichParagraph paragraph_;
  std::vector<RichParagraph> paragraphs_;
};

}  // namespace

std::vector<RichParagraph> ReadRtfParagraphs(const std::string& rtf) { return Reader(rtf).Read(); }

}  // namespace core
