#include "MalformedDocuments.h"

#include <functional>
#include <random>

namespace {

class Dice {
 public:
  explicit Dice(std::uint32_t seed) : engine_(seed) {}
  // 0 to n - 1; 0 when n is 0.
  std::size_t Below(std::size_t n) { return n == 0 ? 0 : engine_() % n; }
  std::size_t Between(std::size_t low, std::size_t high) { return low + Below(high - low + 1); }
  bool OneIn(std::size_t n) { return Below(n) == 0; }
  char Byte() { return static_cast<char>(engine_() & 0xFF); }
  // Sizes spread over orders of magnitude: as many small ones as huge ones.
  std::size_t Magnitude(std::size_t high) {
    std::size_t doublings = 0;
    for (std::size_t limit = 1; limit < high; limit *= 2) ++doublings;
    const std::size_t limit = std::size_t{1} << Below(doublings + 1);
    return Between(1, limit < high ? limit : high);
  }
  template <class T>
  const T& Pick(const std::vector<T>& items) {
    return items[Below(items.size())];
  }

 private:
  std::mt19937 engine_;
};

// A 2 x 2 pixel, 24-bit device-independent bitmap and the smallest complete
// Windows metafile, as hex.
constexpr char SmallBitmap[] =
    "280000000200000002000000010018000000000010000000000000000000000000000000"
    "00000000"
    "ff000000ff0000000000ff0000ff0000";
constexpr char SmallMetafile[] = "0100090000030c0000000000030000000000030000000000";

std::string Picture(const std::string& kind, const std::string& hex) {
  return "{\\pict\\" + kind + "\\picw100\\pich100\\picwgoal600\\pichgoal600 " + hex + "}";
}

// Documents as an editor writes them, each using other parts of the
// format: tables of fonts, colours and styles, pictures, objects, tables,
// fields, bullets, Unicode and escapes.
const std::vector<std::string>& ValidDocuments() {
  static const std::vector<std::string> documents = {
      "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset2 Persian;}"
      "{\\f1\\fswiss\\fcharset0 Arial;}}\r\n{\\colortbl "
      ";\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
      "\r\n\\viewkind4\\uc1\\pard\\qr\\cf0\\f0\\fs40 \\'c1\\'c2\\'e3 {\\b\\fs48 "
      "\\'d0\\'e1}\\par\r\n"
      "\\pard\\ql\\cf1\\f1\\fs20\\ul red underlined\\ulnone\\par\r\n"
      "{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-200\\li200 "
      "bullet\\par\r\n}\r\n",

      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}"
      "{\\stylesheet{\\s0 Normal;}{\\s1\\sbasedon0\\snext0\\b heading 1;}}"
      "{\\info{\\title A letter}{\\author Someone}}\n"
      "\\pard\\s1 Title\\par\\pard\\plain\\s0 \\u1575?\\u1576? text with \\{braces\\} and \\\\ "
      "backslash\\tab tab\\line next\\par\n"
      "{\\field{\\*\\fldinst{HYPERLINK \"http://example.invalid\"}}{\\fldrslt{\\ul link}}}\\par}",

      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard before " +
          Picture("dibitmap0", SmallBitmap) + " middle " + Picture("wmetafile8", SmallMetafile) +
          " after\\par}",

      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\trowd\\trgaph108\\cellx2000\\cellx4000"
      "\\pard\\intbl one\\cell two\\cell\\row\\trowd\\cellx3000\\pard\\intbl three\\cell\\row"
      "\\pard after\\par}",

      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard {\\object\\objemb{\\*\\objclass "
      "Paint.Picture}"
      "\\objw200\\objh200{\\*\\objdata 01050000020000000e0000005061696e742e5069637475726500000000}"
      "{\\result " +
          Picture("wmetafile8", SmallMetafile) + "}}\\par}",
  };
  return documents;
}

std::string Insert(Dice& dice, std::string document, const std::string& piece) {
  return document.insert(dice.Below(document.size() + 1), piece);
}

std::string Letters(Dice& dice, std::size_t count) {
  std::string letters;
  for (std::size_t i = 0; i < count; ++i) letters += static_cast<char>('a' + dice.Below(26));
  return letters;
}

std::string RandomBytes(Dice& dice, std::size_t count) {
  std::string bytes;
  for (std::size_t i = 0; i < count; ++i) bytes += dice.Byte();
  return bytes;
}

// Mostly hex digits, with now and then a character that is not one.
std::string DamagedHex(Dice& dice, std::size_t count) {
  static const std::string digits = "0123456789abcdefABCDEF";
  static const std::string strangers = "gZ \r\n\\{}'-;\x80\xff";
  std::string hex;
  for (std::size_t i = 0; i < count; ++i)
    hex += dice.OneIn(20) ? strangers[dice.Below(strangers.size())]
                          : digits[dice.Below(digits.size())];
  return hex;
}

std::string HugeNumber(Dice& dice) {
  static const std::vector<std::string> numbers = {"2147483647",
                                                   "2147483648",
                                                   "-2147483648",
                                                   "-2147483649",
                                                   "4294967295",
                                                   "4294967296",
                                                   "9223372036854775807",
                                                   "99999999999999999999999999",
                                                   "-1",
                                                   "0",
                                                   "65535",
                                                   "65536",
                                                   "32767",
                                                   "-32768"};
  if (dice.OneIn(4)) return std::string(dice.Magnitude(2000), '9');
  return dice.Pick(numbers);
}

const std::vector<std::string>& ControlWordsWithValues() {
  static const std::vector<std::string> words = {
      "fs",     "f",    "cf",       "cb",       "highlight", "li",       "ri",      "fi",
      "sa",     "sb",   "sl",       "tx",       "tb",        "up",       "dn",      "expnd",
      "u",      "uc",   "ansicpg",  "deff",     "fcharset",  "cpg",      "cellx",   "trgaph",
      "trleft", "itap", "s",        "cs",       "sbasedon",  "pnindent", "pnstart", "pnf",
      "picw",   "pich", "picwgoal", "pichgoal", "picscalex", "objw",     "objh",    "red",
      "green",  "blue", "lang",     "deflang",  "bin"};
  return words;
}

std::string Truncated(Dice& dice, const std::string& document) {
  return document.substr(0, dice.Below(document.size()));
}

std::string BitsFlipped(Dice& dice, std::string document) {
  if (document.empty()) return document;
  for (std::size_t flips = dice.Between(1, 16); flips > 0; --flips)
    document[dice.Below(document.size())] ^= static_cast<char>(1 << dice.Below(8));
  return document;
}

std::string SyntaxScattered(Dice& dice, std::string document) {
  static const std::string syntax = "{}\\;'*0123456789- ";
  if (document.empty()) return document;
  for (std::size_t hits = dice.Between(1, 12); hits > 0; --hits)
    document[dice.Below(document.size())] = syntax[dice.Below(syntax.size())];
  return document;
}

std::string NestedDeeply(Dice& dice, const std::string& document) {
  const std::size_t depth = dice.Magnitude(4000);
  std::string nest(depth, '{');
  if (dice.OneIn(2)) nest += (dice.OneIn(2) ? "\\b x" : "") + std::string(depth, '}');
  return Insert(dice, document, nest);
}

std::string HugeParameter(Dice& dice, const std::string& document) {
  std::string result = document;
  for (std::size_t count = dice.Between(1, 4); count > 0; --count)
    result =
        Insert(dice, result, "\\" + dice.Pick(ControlWordsWithValues()) + HugeNumber(dice) + " ");
  return result;
}

std::string BracesUnbalanced(Dice& dice, std::string document) {
  for (std::size_t changes = dice.Between(1, 8); changes > 0; --changes) {
    const std::size_t brace = document.find_first_of("{}", dice.Below(document.size()));
    if (brace != std::string::npos && dice.OneIn(2))
      document.erase(brace, 1);
    else
      document =
          Insert(dice, document, std::string(dice.Magnitude(2000), dice.OneIn(2) ? '}' : '{'));
  }
  return document;
}

std::string HugeBin(Dice& dice, const std::string& document) {
  const std::string bin = "\\bin" + HugeNumber(dice) + " " + RandomBytes(dice, dice.Below(64));
  return Insert(dice, document, dice.OneIn(2) ? bin : "{\\pict\\dibitmap0" + bin + "}");
}

std::string BytesInserted(Dice& dice, const std::string& document) {
  return Insert(dice, document, RandomBytes(dice, dice.Magnitude(4096)));
}

std::string NulsInserted(Dice& dice, const std::string& document) {
  std::string result = document;
  for (std::size_t runs = dice.Between(1, 6); runs > 0; --runs)
    result = Insert(dice, result, std::string(dice.Magnitude(300), '\0'));
  return result;
}

std::string LongControlWord(Dice& dice, const std::string& document) {
  std::string word = "\\" + Letters(dice, dice.Magnitude(4000));
  if (dice.OneIn(2)) word += std::string(dice.Magnitude(2000), '7');
  return Insert(dice, document, word + " ");
}

std::string BadPicture(Dice& dice, const std::string& document) {
  static const std::vector<std::string> kinds = {"dibitmap0", "wbitmap0", "wmetafile8", "emfblip",
                                                 "pngblip",   "jpegblip", "macpict"};
  static const std::vector<std::string> goodHeads = {SmallBitmap, SmallMetafile};
  std::string hex = dice.OneIn(2) ? dice.Pick(goodHeads) : "";
  hex = hex.substr(0, dice.Below(hex.size() + 1)) + DamagedHex(dice, dice.Magnitude(3000));
  std::string picture = Picture(dice.Pick(kinds), hex);
  if (dice.OneIn(3))
    picture = "{\\object\\objemb{\\*\\objdata " + DamagedHex(dice, dice.Magnitude(500)) +
              "}{\\result " + picture + "}}";
  return Insert(dice, document, picture);
}

// Font and style names longer than any real one.
std::string LongNames(Dice& dice, const std::string& document) {
  const std::string name = Letters(dice, dice.Magnitude(4000));
  const std::string table = dice.OneIn(2) ? "{\\fonttbl{\\f0\\fnil " + name + ";}}"
                                          : "{\\stylesheet{\\s1 " + name + ";}}";
  return "{\\rtf1\\ansi" + table + (dice.OneIn(2) ? "" : document);
}

std::string TableSoup(Dice& dice, const std::string& document) {
  static const std::vector<std::string> words = {
      "\\trowd",     "\\cellx1000", "\\intbl",       "\\cell ",  "\\row ",
      "\\nestcell ", "\\nestrow ",  "\\itap2",       "\\itap0",  "{\\*\\nesttableprops",
      "}",           "\\pard",      "\\par ",        "x",        "\\lastrow",
      "\\clmgf",     "\\clmrg",     "\\trleft-5000", "\\cellx-1"};
  std::string soup;
  for (std::size_t count = dice.Magnitude(400); count > 0; --count) soup += dice.Pick(words);
  return Insert(dice, document, soup);
}

std::string Spliced(Dice& dice, const std::string& document) {
  const std::string& other = dice.Pick(ValidDocuments());
  const std::size_t from = dice.Below(other.size());
  std::string piece = other.substr(from, dice.Below(other.size() - from + 1));
  for (std::size_t copies = dice.Magnitude(64); copies > 1; --copies) piece += piece.substr(0, 200);
  return Insert(dice, document, piece);
}

std::string PureBinary(Dice& dice, const std::string&) {
  const std::string bytes = RandomBytes(dice, dice.Magnitude(8192));
  return dice.OneIn(3) ? "{\\rtf1 " + bytes : bytes;
}

struct Damage {
  const char* name;
  std::function<std::string(Dice&, const std::string&)> apply;
};

const std::vector<Damage>& Damages() {
  static const std::vector<Damage> damages = {
      {"truncated", Truncated},
      {"bits", BitsFlipped},
      {"syntax", SyntaxScattered},
      {"nested", NestedDeeply},
      {"parameter", HugeParameter},
      {"braces", BracesUnbalanced},
      {"bin", HugeBin},
      {"bytes", BytesInserted},
      {"nuls", NulsInserted},
      {"controlword", LongControlWord},
      {"picture", BadPicture},
      {"names", LongNames},
      {"table", TableSoup},
      {"spliced", Spliced},
      {"binary", PureBinary},
  };
  return damages;
}

}  // namespace

std::vector<MalformedDocument> MakeMalformedDocuments(std::uint32_t seed, std::size_t count) {
  Dice dice(seed);
  std::vector<MalformedDocument> documents;
  for (std::size_t i = 0; i < count; ++i) {
    // Every kind in turn, and every fourth document damaged twice over.
    const Damage& damage = Damages()[i % Damages().size()];
    std::string label = damage.name;
    std::string bytes = damage.apply(dice, dice.Pick(ValidDocuments()));
    if (i % 4 == 3) {
      const Damage& more = dice.Pick(Damages());
      label += std::string("+") + more.name;
      bytes = more.apply(dice, bytes);
    }
    documents.push_back({label + "-" + std::to_string(i), std::move(bytes)});
  }
  return documents;
}
