#pragma once

namespace core {

// The Windows code pages an RTF document's bytes come in: Western
// (1252, its five undefined bytes as the C1 controls Windows gives) and
// Arabic (1256, what Word writes for Persian under \ansicpg1256 or in a
// font of \fcharset178).
char32_t Cp1252(unsigned char byte);
char32_t Cp1256(unsigned char byte);

}  // namespace core
