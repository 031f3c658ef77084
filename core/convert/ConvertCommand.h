#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "Unconvertible.h"

namespace core {

// What dabiro-convert is asked to do, read from its arguments.
enum class ConvertDirection { ToUnicode, FromUnicode };
enum class DocumentFormat { Text, Rtf, Html };

struct ConvertRequest {
  bool help = false;
  ConvertDirection direction = ConvertDirection::ToUnicode;
  std::string input;   // "-": standard input
  std::string output;  // "-": standard output
  DocumentFormat inputFormat = DocumentFormat::Text;
  DocumentFormat outputFormat = DocumentFormat::Text;
  bool placeholders = false;  // convert what cannot be, visibly, instead of failing
};

extern const char ConvertUsage[];

// The request, or core::Exception saying what is wrong with the arguments.
// Formats follow the extensions (.txt, .rtf, .html or .htm; "-" is text).
ConvertRequest ParseConvertArguments(const std::vector<std::string>& arguments);

struct ConvertedDocument {
  std::string bytes;
  Unconvertibles problems;  // each replaced by a placeholder
};

// Converts a whole document. Throws core::Exception for input it cannot
// read, and, unless placeholders were asked for, for the first character
// that cannot be converted.
ConvertedDocument ConvertDocument(const ConvertRequest& request, std::string_view input);

}  // namespace core
