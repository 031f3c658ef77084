#include "DocumentRecovery.h"

#include "FileReplacement.h"
#include "RecoveryNote.h"

namespace {

std::string TemporaryFolder() {
  char folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(sizeof folder, folder);
  return length > 0 && length < sizeof folder ? folder : "";
}

// The file's bytes, or "" when it cannot be read; by the system's calls,
// since the C++ streams import what Windows 95 lacks.
std::string ReadWhole(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  const DWORD size = GetFileSize(file, nullptr);
  std::string bytes(size == INVALID_FILE_SIZE ? 0 : size, '\0');
  DWORD read = 0;
  if (!bytes.empty() && !ReadFile(file, &bytes[0], size, &read, nullptr)) read = 0;
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

}  // namespace

DocumentRecovery::DocumentRecovery()
    : name_(core::RecoveryCopyName(GetCurrentProcessId(), GetTickCount())),
      running_(CreateMutexA(nullptr, FALSE, core::RecoveryOwnerName(name_).c_str())) {}

const std::string& DocumentRecovery::Folder() {
  if (folder_.empty()) {
    folder_ = TemporaryFolder();
    if (!folder_.empty()) path_ = folder_ + name_;
  }
  return folder_;
}

DocumentRecovery::~DocumentRecovery() {
  if (running_) CloseHandle(running_);
}

bool DocumentRecovery::Write(const std::string& rtf, const std::string& documentName,
                             bool modified) {
  if (Folder().empty()) return false;
  const std::string bytes = core::WithRecoveryNote(rtf, documentName, modified);
  FileReplacement file(path_);
  return file.Opened() && file.Write(bytes.data(), bytes.size()) && file.Flush() && file.Commit();
}

void DocumentRecovery::Remove() {
  if (!Folder().empty()) DeleteFileA(path_.c_str());
}

bool DocumentRecovery::Written() {
  return !Folder().empty() && GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool DocumentRecovery::TakeOneLeft(Left& left) {
  if (Folder().empty()) return false;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder_ + "Dabiro-*.rtf").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  bool taken = false;
  do {
    const std::string owner = core::RecoveryOwnerName(found.cFileName);
    left.path = folder_ + found.cFileName;
    if (owner.empty() || left.path == path_) continue;
    // Created anew only when no running editor holds it: its editor runs,
    // or another one has just claimed its copy.
    left.claim = CreateMutexA(nullptr, FALSE, owner.c_str());
    const bool claimed = left.claim && GetLastError() != ERROR_ALREADY_EXISTS;
    taken =
        claimed && core::ReadRecoveryNote(ReadWhole(left.path), left.documentName, left.modified);
    if (taken)
      left.written = found.ftLastWriteTime;
    else if (left.claim)
      CloseHandle(left.claim);
  } while (!taken && FindNextFileA(search, &found));
  FindClose(search);
  return taken;
}

void DocumentRecovery::Discard(Left& left) {
  DeleteFileA(left.path.c_str());
  LetGo(left);
}

void DocumentRecovery::LetGo(Left& left) {
  if (left.claim) CloseHandle(left.claim);
  left.claim = nullptr;
}
