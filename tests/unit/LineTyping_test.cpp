// Typing into a line through the converter: whatever order the keys come
// in, the line holds what from-unicode writes for the text typed.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "GlyphLetters.h"
#include "LineTyping.h"
#include "PersianKeyboard.h"
#include "PersianText.h"
#include "UnicodeToGlyph.h"
#include "Utf.h"

namespace {

std::string Applied(std::string_view line, const core::LineChange& change) {
  std::string result(line.substr(0, change.start));
  return result + change.codes + std::string(line.substr(change.end));
}

// Types the text key by key into an empty line, the caret where each key
// leaves it.
std::string Typed(std::u32string_view text, std::size_t* caret = nullptr) {
  std::string line;
  std::size_t at = 0;
  for (const char32_t character : text) {
    const core::LineChange change =
        core::TypeIntoLine(line, {at, at}, std::u32string(1, character));
    line = Applied(line, change);
    at = change.caret;
  }
  if (caret) *caret = at;
  return line;
}

// Words of letters each written as one code: the caret after the k-th
// letter of an n-code word stands at n - k.
bool OneCodePerLetter(std::u32string_view word) {
  for (std::size_t index = 0; index < word.size(); ++index) {
    if (!core::CanBeTyped(word[index]) || word[index] == core::Zwnj || word[index] < 0x80)
      return false;
    if (word[index] == U'\u0644' && index + 1 < word.size() && word[index + 1] == U'\u0627')
      return false;
  }
  return !word.empty();
}

const char* const Sentences[] = {
    "سلام دنیا",
    "می‌روم و می‌آیم",
    "در سال ۱۴۰۴ به ۲ شهر رفتیم.",
    "«کتاب» را خواندی؟ بله، خواندم.",
    "قیمت: ۱۲۵۰۰ ریال (۲۰٪ تخفیف)",
    "نسخهٔ Dabiro 2 را New York دیدم",
    "ساعت 10:30 و 5 kg آرد",
    "لا ل‌ا لالا",
};

}  // namespace

TEST(LineTyping, TypingATextKeyByKeyStoresWhatFromUnicodeWrites) {
  for (const char* sentence : Sentences) {
    const std::u32string text = Unicode(sentence);
    EXPECT_EQ(Typed(text), FromUnicode(text)) << sentence;
  }
  std::ifstream dictionary("/usr/share/hunspell/fa_IR.dic");
  if (!dictionary) GTEST_SKIP() << "fa_IR.dic missing: install myspell-fa";
  std::string line;
  std::getline(dictionary, line);
  std::size_t words = 0, wrong = 0;
  for (std::size_t number = 0; std::getline(dictionary, line); ++number) {
    if (number % 29) continue;  // a sample keeps the run short
    const std::u32string word = Unicode(line.substr(0, line.find('/')));
    bool writable = true;
    for (const char32_t character : word) writable &= core::CanBeTyped(character);
    if (!writable) continue;
    ++words;
    if (Typed(word) != FromUnicode(word) && ++wrong <= 5) ADD_FAILURE() << line;
  }
  EXPECT_EQ(wrong, 0u);
  EXPECT_GT(words, 10000u);
}

// Inside a word, Backspace, Delete and a typed letter re-form the letters
// beside them, and the caret stays where the letter was.
TEST(LineTyping, EditsInsideAWordGiveWhatFromUnicodeWritesForTheResult) {
  std::ifstream dictionary("/usr/share/hunspell/fa_IR.dic");
  if (!dictionary) GTEST_SKIP() << "fa_IR.dic missing: install myspell-fa";
  std::string entry;
  std::getline(dictionary, entry);
  std::size_t words = 0;
  for (std::size_t number = 0; std::getline(dictionary, entry) && words < 3000; ++number) {
    const std::u32string word = Unicode(entry.substr(0, entry.find('/')));
    if (number % 50 || !OneCodePerLetter(word) || word.size() < 2) continue;
    ++words;
    const std::string whole = FromUnicode(word);
    ASSERT_EQ(whole.size(), word.size()) << entry;
    const std::size_t n = word.size();
    for (std::size_t k = 0; k < n; ++k) {
      std::u32string without = word;
      without.erase(k, 1);
      const std::string shorter = FromUnicode(without);
      if (shorter.size() != n - 1) continue;  // a lam and an alef met: one code
      const core::LineChange typed =
          core::TypeIntoLine(shorter, {n - 1 - k, n - 1 - k}, word.substr(k, 1));
      EXPECT_EQ(Applied(shorter, typed), whole) << entry << " typing letter " << k;
      EXPECT_EQ(typed.caret, n - 1 - k) << entry;
      const auto backspace = core::EraseInLine(whole, {n - 1 - k, n - 1 - k}, true);
      ASSERT_TRUE(backspace) << entry;
      EXPECT_EQ(Applied(whole, *backspace), shorter) << entry << " Backspace after letter " << k;
      EXPECT_EQ(backspace->caret, n - 1 - k);
      const auto erased = core::EraseInLine(whole, {n - k, n - k}, false);
      ASSERT_TRUE(erased) << entry;
      EXPECT_EQ(Applied(whole, *erased), shorter) << entry << " Delete before letter " << k;
      EXPECT_EQ(erased->caret, n - 1 - k);
    }
  }
  EXPECT_GT(words, 1000u);
}

TEST(LineTyping, NothingToEraseAtTheEndsOfALine) {
  const std::string word = FromUnicode(Unicode("سلام"));
  EXPECT_FALSE(
      core::EraseInLine(word, {word.size(), word.size()}, true));  // before its first letter
  EXPECT_FALSE(core::EraseInLine(word, {0, 0}, false));            // after its last
  EXPECT_FALSE(core::EraseInLine("", {0, 0}, true));
}

// What is outside the change stays as it was, even forms that the
// converter would write otherwise (chosen on the palette).
TEST(LineTyping, OnlyTheCodesThatChangeAreReplaced) {
  const std::string word = FromUnicode(Unicode("کتاب"));
  const std::string initialBeh = FromUnicode(Unicode("بب")).substr(1);  // alone, before a space
  const std::string line = word + " " + initialBeh;
  const core::LineChange change = core::TypeIntoLine(line, {0, 0}, U"ها");
  EXPECT_EQ(Applied(line, change), FromUnicode(Unicode("کتابها")) + " " + initialBeh);
  EXPECT_LE(change.end, word.size());
}

TEST(LineTyping, ASelectionIsReplacedByTheTypedLetter) {
  const std::string line = FromUnicode(Unicode("کتاب"));
  // The alef is the second code from the left: ب ا ت ک.
  const core::LineChange change = core::TypeIntoLine(line, {1, 2}, U"ی");
  EXPECT_EQ(Applied(line, change), FromUnicode(Unicode("کتیب")));
  EXPECT_EQ(change.caret, 1u);
}

TEST(LineTyping, JoinedLinesReadOnInReadingOrder) {
  const std::string first = FromUnicode(Unicode("سلام ")), second = FromUnicode(Unicode("دنیا"));
  const core::LineChange change = core::JoinLines(first, second);
  const std::string old = first + "\r\n" + second;
  EXPECT_EQ(Applied(old, change), FromUnicode(Unicode("سلام دنیا")));
  EXPECT_EQ(change.caret, 4u);  // left of the space, right of the dal
}

// From the middle of one line to the middle of a later one, in reading
// order: the first line's start reads on into the last one's end.
TEST(LineTyping, ASelectionAcrossLinesLeavesTheirOuterPartsAsOneLine) {
  const std::string first = FromUnicode(Unicode("سلام دنیا")), middle = FromUnicode(Unicode("یک"));
  const std::string last = FromUnicode(Unicode("خوب است"));
  const std::string text = first + "\r\n" + middle + "\r\n" + last;
  const std::size_t tail = FromUnicode(Unicode("است")).size();
  // After "سلام " in the first line, before "است" in the last.
  const core::LineChange change = core::EraseAcrossLines(
      text, first.size(), FromUnicode(Unicode("دنیا")).size(), text.size() - last.size(), tail);
  EXPECT_EQ(Applied(text, change), FromUnicode(Unicode("سلام است")));
  EXPECT_EQ(change.caret, tail);
}

// Every key of the layout table, by its position.
TEST(PersianKeyboard, EveryKeyGivesWhatTheLayoutTablePutsOnIt) {
  std::ifstream table(DABIRO_SOURCE_DIR "/tests/data/isiri-9147.tsv");
  ASSERT_TRUE(table);
  // Set-1 scan codes of the ISO key positions.
  const auto scanCode = [](const std::string& position) -> unsigned {
    if (position == "SPACE") return 0x39;
    if (position == "BKSL") return 0x2B;
    if (position == "E00") return 0x29;
    const unsigned column = static_cast<unsigned>(std::stoi(position.substr(1)));
    switch (position[0]) {
      case 'E':
        return 0x01 + column;
      case 'D':
        return 0x0F + column;
      case 'C':
        return 0x1D + column;
      case 'B':
        return 0x2B + column;
    }
    return 0;
  };
  std::string row;
  std::size_t keys = 0;
  while (std::getline(table, row)) {
    if (row.empty() || row[0] == '#' || row.rfind("position", 0) == 0) continue;
    const std::size_t a = row.find('\t'), b = row.find('\t', a + 1), c = row.find('\t', b + 1);
    const unsigned code = scanCode(row.substr(0, a));
    EXPECT_EQ(core::PersianKeyCharacter(code, false),
              std::stoul(row.substr(b + 1, c - b - 1), nullptr, 16))
        << row;
    EXPECT_EQ(core::PersianKeyCharacter(code, true), std::stoul(row.substr(c + 1), nullptr, 16))
        << row;
    ++keys;
  }
  EXPECT_EQ(keys, 48u);
  EXPECT_EQ(core::PersianKeyCharacter(0x1C, false), 0u);  // Enter is no character key
}
