#pragma once
#include <string>

namespace core {

// The text from the last '.' to the end, dot included, when that dot
// comes after the last '\', '/' and ':'; otherwise empty.
std::string ExtensionOf(const std::string& name);

// The name Save As writes: filter 1 (RTF) appends ".rtf" and filter 2
// (text) appends ".txt" unless the name already has that extension in any
// letter case; any other filter keeps the name as chosen.
std::string SaveAsFileName(const std::string& chosen, int filterIndex);

// Save As writes plain text for every name whose extension is not ".RTF".
bool SavesAsPlainText(const std::string& name);

// The spooler's job name: the document title's first 31 characters.
std::string PrintJobName(const std::string& title);

}  // namespace core
