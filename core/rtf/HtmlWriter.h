#pragma once
#include <string>
#include <string_view>

namespace core {

// Escapes text for HTML, as UTF-8.
void AppendHtmlText(std::u32string_view text, std::string& html);

// A complete right-to-left HTML page, UTF-8, around a body.
std::string HtmlPage(std::string_view body);

// A page with one paragraph per line of plain Unicode text.
std::string HtmlOfUnicodeLines(std::u32string_view text);

}  // namespace core
