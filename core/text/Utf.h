#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace core {

// UTF-8 and UTF-16 to and from code points, for text that leaves and enters
// as Unicode.

void AppendUtf8(char32_t character, std::string& out);
std::string Utf8FromUnicode(std::u32string_view text);
void AppendUtf16(char32_t character, std::u16string& out);
std::u16string Utf16FromUnicode(std::u32string_view text);

// The length of the UTF-8 sequence at `index`, its character in
// `character`; 0 for a malformed one.
std::size_t Utf8CharacterAt(std::string_view bytes, std::size_t index, char32_t& character);

// False, with the byte offset of the first fault, for malformed input
// (bad sequences, overlong forms, surrogates, unpaired surrogates).
bool UnicodeFromUtf8(std::string_view bytes, std::u32string& out, std::size_t& faultAt);
bool UnicodeFromUtf16(std::u16string_view units, std::u32string& out, std::size_t& faultAt);

// UTF-16 as bytes in either order.
std::string Utf16Bytes(std::u16string_view units, bool bigEndian);

// A Unicode text file: UTF-16 (either byte order) with a byte order mark,
// else UTF-8 with or without one. The mark is not part of the text.
bool UnicodeFromFileBytes(std::string_view bytes, std::u32string& out, std::size_t& faultAt);

}  // namespace core
