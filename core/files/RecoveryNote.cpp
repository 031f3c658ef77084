#include "RecoveryNote.h"

#include <cstdio>

#include "AsciiText.h"
#include "RtfTokenizer.h"

namespace core {

namespace {

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

constexpr char NoteStart[] = "{\\*\\dabirorecovery\\modified";
constexpr char CopyPrefix[] = "Dabiro-";
constexpr char CopySuffix[] = ".rtf";

}  // namespace

std::string WithRecoveryNote(const std::string& rtf, const std::string& documentName,
                             bool modified) {
  const std::string note =
      std::string(NoteStart) + (modified ? "1 " : "0 ") + RtfEscapedBytes(documentName) + "}";
  const auto last = rtf.find_last_of('}');
  if (last == std::string::npos) return rtf + note;
  return rtf.substr(0, last) + note + rtf.substr(last);
}

bool ReadRecoveryNote(const std::string& bytes, std::string& documentName, bool& modified) {
  const auto start = bytes.rfind(NoteStart);
  if (start == std::string::npos) return false;
  RtfTokenizer tokens(std::string_view(bytes).substr(start + 3));  // from \dabirorecovery
  if (tokens.Next().word != "dabirorecovery") return false;
  const RtfToken flag = tokens.Next();
  if (flag.word != "modified" || !flag.hasParameter) return false;
  modified = flag.parameter != 0;
  documentName.clear();
  for (RtfToken token = tokens.Next();; token = tokens.Next()) {
    if (token.kind == RtfToken::Kind::Close) return true;
    if (token.kind != RtfToken::Kind::Byte && token.kind != RtfToken::Kind::Symbol) return false;
    documentName += static_cast<char>(token.byte);
  }
}

std::string RecoveryCopyName(unsigned long processId, unsigned long started) {
  char name[40];
  std::snprintf(name, sizeof name, "%s%08lX-%08lX%s", CopyPrefix, processId & 0xFFFFFFFFul,
                started & 0xFFFFFFFFul, CopySuffix);
  return name;
}

std::string RecoveryOwnerName(const std::string& copyName) {
  const std::string prefix = CopyPrefix, suffix = CopySuffix;
  const std::size_t idLength = 17;  // 8 hex digits, '-', 8 hex digits
  if (copyName.size() != prefix.size() + idLength + suffix.size()) return {};
  if (UpperAscii(copyName.substr(0, prefix.size())) != UpperAscii(prefix) ||
      UpperAscii(copyName.substr(prefix.size() + idLength)) != UpperAscii(suffix))
    return {};
  const std::string id = copyName.substr(prefix.size(), idLength);
  for (std::size_t i = 0; i < id.size(); ++i)
    if (i == 8 ? id[i] != '-' : !IsHexDigit(id[i])) return {};
  return "DabiroRecovery-" + UpperAscii(id);
}

}  // namespace core
