#pragma once
#include <string>

#include "RtfDocument.h"

namespace core {

// The text of a numbered paragraph's number in reading order: the text
// before it, the number in the list's kind (letters past z go on as aa, ab;
// roman numbers up to 3999, beyond that in digits) and the text after it.
// Digits are Persian ones in Persian text.
std::u32string ListNumberText(const Numbering& numbering, int number, bool persianDigits);

}  // namespace core
