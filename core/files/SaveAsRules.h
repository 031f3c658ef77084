#pragma once
#include <string>

#include "DocumentKind.h"

namespace core {

// The text from the last '.' to the end, dot included, when that dot
// comes after the last '\', '/' and ':'; otherwise empty.
std::string ExtensionOf(const std::string& name);

// The name Save As writes: filters 1 (RTF) and 5 (Unicode RTF) append
// ".rtf", 2 (text) and 4 (Unicode text) ".txt", 6 (web page) ".htm" (where
// ".html" is not there already), unless the name already has that
// extension in any letter case; filter 3 (all files) keeps the name as chosen.
std::string SaveAsFileName(const std::string& chosen, int filterIndex);

// Filters 1 to 3 write plain text for every name whose extension is not ".RTF".
bool SavesAsPlainText(const std::string& name);

// What Save As writes: by the filter, and for filters 1 to 3 by the name
// as above; Unicode text keeps the encoding of a document that came as
// Unicode text, and is otherwise UTF-8.
DocumentKind SaveAsKind(const std::string& name, int filterIndex, DocumentKind current);

// The filter the Save As dialog opens with for a document of the kind:
// its own kind's, or "All" where that was the last choice and it writes
// the kind.
int SaveAsFilterOf(DocumentKind kind, int lastFilter);

}  // namespace core
