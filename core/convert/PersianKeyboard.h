#pragma once

namespace core {

// The Iranian standard Persian keyboard layout: what a key gives, found by
// its position (its set-1 scan code, as Windows reports it in a key
// message's lParam), so that it is the same on every Latin layout. 0 for a
// key the layout does not cover. Shift+Space and Shift+B give the ZWNJ.
char32_t PersianKeyCharacter(unsigned scanCode, bool shift);

// The short name of a character of the layout that the glyph font cannot
// write (the harakat, signs and joiners), for saying which key did nothing;
// null for the others.
const char* UnwritableKeyName(char32_t character);

}  // namespace core
