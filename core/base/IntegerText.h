#pragma once
#include <cstdint>
#include <string>

namespace core {

// The whole text must be one integer: leading spaces, an optional '+' or
// '-', then decimal digits that fit a signed 32-bit integer or '$' and
// hexadecimal digits that fit 32 bits (taken as two's complement, so
// "$FFFFFFFF" is -1). Nothing may follow.
bool TryParseInteger(const std::string& text, int32_t& value);

// As TryParseInteger; a text that is not an integer raises EConvertError.
int32_t ParseInteger(const std::string& text);

}  // namespace core
