#pragma once
// The large document the benchmarks open: RTF set in the glyph font, as the
// editor saves it, made of palette words on short paragraphs.
#include <cstddef>
#include <string>

struct BenchDocument {
  std::size_t bytes;       // size of the file
  std::size_t characters;  // text characters, paragraph breaks not counted
};

// Writes a document of at least minimumBytes to path; false if it cannot.
bool WriteBenchDocument(const std::string& path, std::size_t minimumBytes, BenchDocument& written);

// About size bytes of plain text: lines of Latin words and glyph codes
// whose breaks cycle through CR LF, LF and CR.
std::string PlainSample(std::size_t size);
// About size bytes of RTF: paragraphs with bold, italic and glyph-font runs
// of another size.
std::string RtfSample(std::size_t size);

bool WriteWholeFile(const std::string& path, const std::string& bytes);
