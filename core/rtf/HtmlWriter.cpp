#include "HtmlWriter.h"

#include "TextLines.h"
#include "Utf.h"

namespace core {

void AppendHtmlText(std::u32string_view text, std::string& html) {
  for (const char32_t character : text) {
    switch (character) {
      case '<':
        html += "&lt;";
        break;
      case '>':
        html += "&gt;";
        break;
      case '&':
        html += "&amp;";
        break;
      case '"':
        html += "&quot;";
        break;
      case '\t':
        html += "&emsp;";
        break;
      default:
        AppendUtf8(character, html);
    }
  }
}

std::string HtmlPage(std::string_view body) {
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"fa\" dir=\"rtl\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<title>Dabiro</title>\n</head>\n<body>\n";
  html += body;
  html += "</body>\n</html>\n";
  return html;
}

std::string HtmlOfUnicodeLines(std::u32string_view text) {
  std::string body;
  ForEachLine(
      text.data(), text.size(),
      [&](std::size_t start, std::size_t end, std::size_t) {
        if (start == end && end == text.size() && start > 0) return;  // after the last break
        body += "<p>";
        if (start == end) body += "<br>";
        AppendHtmlText(text.substr(start, end - start), body);
        body += "</p>\n";
      },
      [](std::size_t, std::size_t) {});
  return HtmlPage(body);
}

}  // namespace core
