#include "PersianKeys.h"

#include <fstream>
#include <map>

#include "SyntheticInput.h"
#include "TestSupport.h"
#include "UnicodeToGlyph.h"
#include "Utf.h"

namespace testing_support {

std::vector<KeyRow> LayoutTable() {
  std::ifstream table("Z:" DABIRO_SOURCE_DIR "/tests/data/isiri-9147.tsv");
  std::vector<KeyRow> rows;
  std::string row;
  while (std::getline(table, row)) {
    if (row.empty() || row[0] == '#' || row.rfind("position", 0) == 0) continue;
    const std::size_t a = row.find('\t'), b = row.find('\t', a + 1), c = row.find('\t', b + 1);
    rows.push_back({row[a + 1],
                    static_cast<char32_t>(std::stoul(row.substr(b + 1, c - b - 1), nullptr, 16)),
                    static_cast<char32_t>(std::stoul(row.substr(c + 1), nullptr, 16))});
  }
  return rows;
}

std::u32string Unicode(const char* utf8) {
  std::u32string text;
  std::size_t fault = 0;
  core::UnicodeFromUtf8(utf8, text, fault);
  return text;
}

std::string FromUnicode(std::u32string_view text) {
  core::Unconvertibles problems;
  return core::UnicodeToGlyphs(text, problems);
}

std::string Hex(const std::string& codes) {
  std::string text;
  char code[8];
  for (const char c : codes) {
    std::snprintf(code, sizeof code, " %02X", static_cast<unsigned char>(c));
    text += code;
  }
  return text;
}

void Key(BYTE virtualKey, bool shift) { QueueKeyWithScanCode(virtualKey, shift); }

void UsKey(char us, bool shift) {
  const SHORT found = VkKeyScanA(us);
  Key(static_cast<BYTE>(found & 0xFF), shift || (found & 0x100));
}

void KeyChord(BYTE held, BYTE key) {
  PressKey(held, ScanCodeOf(held));
  Key(key);
  ReleaseKey(held, ScanCodeOf(held));
}

bool TypePersian(std::u32string_view text) {
  static const std::map<char32_t, std::pair<char, bool>> keys = [] {
    std::map<char32_t, std::pair<char, bool>> all;
    for (const KeyRow& row : LayoutTable()) {
      all[row.base] = {row.us, false};
      all[row.shifted] = {row.us, true};
    }
    return all;
  }();
  for (const char32_t character : text) {
    if (character == '\n') {
      Key(VK_RETURN);
      continue;
    }
    const auto key = keys.find(character);
    if (key == keys.end()) return false;
    UsKey(key->second.first, key->second.second);
  }
  return true;
}

testing::AssertionResult BecomesCodes(const std::function<std::string()>& codes,
                                      const std::string& expected) {
  if (WaitUntil([&] { return codes() == expected; }, 3000)) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "codes" << Hex(codes()) << ", expected" << Hex(expected);
}

}  // namespace testing_support
