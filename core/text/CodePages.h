#pragma once

namespace core {

// The Windows code pages an RTF document's bytes come in: Western
// (1252, its five undefined bytes as the C1 controls Windows gives) and
// Arabic (1256, what Word writes for Persian under \ansicpg1256 or in a
// font of \fcharset178).
char32_t Cp1252(unsigned char byte);
char32_t Cp1256(unsigned char byte);

// The byte of `character` in code page 1252 or 1256; -1 where it has none.
int ByteInCodePage(char32_t character, int codePage);

// The Windows code page of a character set (RTF's \fcharset); 0 for one
// without its own, such as the symbol and Mac ones.
int CodePageOfCharset(int charset);

}  // namespace core
