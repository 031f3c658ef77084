#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Seeded, reproducible malformed documents: mutations of a few valid RTF
// documents, and files of random bytes. Only the raw output of the
// standard's fully specified engine is used, so a seed gives the same bytes
// with every compiler.
struct MalformedDocument {
  std::string label;  // the kind of damage and the document's number
  std::string bytes;
};

std::vector<MalformedDocument> MakeMalformedDocuments(std::uint32_t seed, std::size_t count);
