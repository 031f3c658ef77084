#include "SaveAsRules.h"

#include "AsciiText.h"

namespace core {

namespace {
constexpr int RtfFilter = 1;
constexpr int TextFilter = 2;
constexpr int AllFilesFilter = 3;
constexpr int UnicodeTextFilter = 4;
constexpr int UnicodeRtfFilter = 5;
constexpr int WebPageFilter = 6;

bool HasExtension(const std::string& name, const char* upperExtension) {
  return UpperAscii(ExtensionOf(name)) == upperExtension;
}
}  // namespace

std::string ExtensionOf(const std::string& name) {
  const auto last = name.find_last_of(".\\/:");
  return last != std::string::npos && name[last] == '.' ? name.substr(last) : std::string();
}

std::string SaveAsFileName(const std::string& chosen, int filterIndex) {
  std::string name = chosen;
  const bool rtf = filterIndex == RtfFilter || filterIndex == UnicodeRtfFilter;
  const bool text = filterIndex == TextFilter || filterIndex == UnicodeTextFilter;
  if (rtf && !HasExtension(name, ".RTF")) name += ".rtf";
  if (text && !HasExtension(name, ".TXT")) name += ".txt";
  if (filterIndex == WebPageFilter && !HasExtension(name, ".HTM") && !HasExtension(name, ".HTML"))
    name += ".htm";
  return name;
}

bool SavesAsPlainText(const std::string& name) { return !HasExtension(name, ".RTF"); }

DocumentKind SaveAsKind(const std::string& name, int filterIndex, DocumentKind current) {
  switch (filterIndex) {
    case UnicodeTextFilter:
      return IsUnicodeText(current) ? current : DocumentKind::Utf8Text;
    case UnicodeRtfFilter:
      return DocumentKind::UnicodeRtf;
    case WebPageFilter:
      return DocumentKind::WebPage;
    default:
      return SavesAsPlainText(name) ? DocumentKind::GlyphText : DocumentKind::DabiroRtf;
  }
}

int SaveAsFilterOf(DocumentKind kind, int lastFilter) {
  switch (kind) {
    case DocumentKind::DabiroRtf:
    case DocumentKind::GlyphText:
      return lastFilter == AllFilesFilter      ? AllFilesFilter
             : kind == DocumentKind::DabiroRtf ? RtfFilter
                                               : TextFilter;
    case DocumentKind::UnicodeRtf:
      return UnicodeRtfFilter;
    case DocumentKind::WebPage:
      return WebPageFilter;
    default:
      return UnicodeTextFilter;
  }
}

}  // namespace core
