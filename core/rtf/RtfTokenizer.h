#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace core {

// Cuts RTF into its tokens: group braces, control words with their optional
// parameter, control symbols, \'xx bytes and text bytes. Line breaks in the
// source are dropped, as RTF readers do; \binN's data is passed over.
struct RtfToken {
  enum class Kind { Open, Close, Word, Symbol, Byte, End };
  Kind kind = Kind::End;
  std::string_view word;  // Word: the name
  bool hasParameter = false;
  std::int32_t parameter = 0;
  unsigned char byte = 0;  // Symbol: the character; Byte: the byte (text or \'xx)
};

// Bytes as RTF text that the tokenizer reads back as the same bytes: what
// RTF marks escaped, what is no plain ASCII as \'hh.
std::string RtfEscapedBytes(std::string_view bytes);

// Destinations whose text is not the document's (fonts, styles, pictures,
// headers, fields' instructions, list numbers, ...), for every reader.
bool IsSkippedDestination(std::string_view word);

class RtfTokenizer {
 public:
  explicit RtfTokenizer(std::string_view rtf) : rtf_(rtf) {}
  RtfToken Next();

 private:
  RtfToken AfterBackslash();
  RtfToken Word();

  std::string_view rtf_;
  std::size_t at_ = 0;
};

}  // namespace core
