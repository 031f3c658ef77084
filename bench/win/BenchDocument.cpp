#include "BenchDocument.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "Palette.h"

namespace {

constexpr char Header[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Persian;}}\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs40 ";
constexpr int WordsPerParagraph = 12;

// A fixed sequence, so every run and every machine opens the same document.
class Sequence {
 public:
  std::uint32_t Next(std::uint32_t below) {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) % below;
  }

 private:
  std::uint32_t state_ = 11;
};

// A word of three to seven palette glyphs, each written as the RTF escape
// of its 8-bit code.
std::string Word(Sequence& sequence, std::size_t& characters) {
  const std::uint32_t length = 3 + sequence.Next(5);
  std::string word;
  for (std::uint32_t i = 0; i < length; ++i) {
    const std::uint32_t cell = sequence.Next(core::PaletteCells);
    const int code = core::CellCode(static_cast<int>(cell) % core::PaletteColumns,
                                    static_cast<int>(cell) / core::PaletteColumns);
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\'%02x", code);
    word += escape;
  }
  characters += length;
  return word;
}

std::string Paragraph(Sequence& sequence, std::size_t& characters) {
  std::string paragraph;
  for (int i = 0; i < WordsPerParagraph; ++i) {
    if (i > 0) {
      paragraph += ' ';
      ++characters;
    }
    paragraph += Word(sequence, characters);
  }
  return paragraph + "\\par\n";
}

}  // namespace

bool WriteBenchDocument(const std::string& path, std::size_t minimumBytes, BenchDocument& written) {
  Sequence sequence;
  std::string text = Header;
  written.characters = 0;
  while (text.size() + 1 < minimumBytes) text += Paragraph(sequence, written.characters);
  text += '}';
  written.bytes = text.size();
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool complete = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && complete;
}

std::string PlainSample(size_t size) {
  static const char* const breaks[] = {"\r\n", "\n", "\r"};
  std::string text;
  for (int line = 0; text.size() < size; ++line)
    text += "Zeile " + std::to_string(line) +
            " salaam \x8F\xE3\xED\x98 \xB0\xE2\xAE donya, a line of the sample" + breaks[line % 3];
  text.resize(size);
  return text;
}

std::string RtfSample(size_t size) {
  std::string rtf =
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fnil\\fcharset2 Persian;}}\n";
  for (int paragraph = 0; rtf.size() < size; ++paragraph)
    rtf += "\\pard\\plain\\f0\\fs20 Paragraph " + std::to_string(paragraph) +
           ": {\\b bold words} and {\\i slanted ones}, {\\f1\\fs28 \\'8f\\'e3\\'ed\\'98 "
           "\\'b0\\'e2\\'ae}\\par\n";
  return rtf + "}";
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}
