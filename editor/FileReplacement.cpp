#include "FileReplacement.h"

#include <vector>

#include "DocumentName.h"

namespace {

// A file that exists must be writable and shareable now, or the final move
// would fail after all the work: a read-only or locked target is refused
// before anything is written.
bool TargetMayBeReplaced(const std::string& target) {
  const DWORD attributes = GetFileAttributesA(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
  if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return false;
  HANDLE probe = CreateFileA(target.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (probe == INVALID_HANDLE_VALUE) return false;
  CloseHandle(probe);
  return true;
}

// A unique name in the target's folder, so that the final move stays on one
// volume; the file is created empty by the system.
std::string CreateTemporaryBeside(const std::string& target) {
  std::string folder = core::FolderOf(target);
  if (folder.empty()) folder = ".";
  std::vector<char> name(MAX_PATH + folder.size() + 16, '\0');
  if (!GetTempFileNameA(folder.c_str(), "dab", 0, name.data())) return {};
  return name.data();
}

}  // namespace

FileReplacement::FileReplacement(std::string target) : target_(std::move(target)) {
  if (!TargetMayBeReplaced(target_)) return;
  temporary_ = CreateTemporaryBeside(target_);
  if (temporary_.empty()) return;
  file_ = CreateFileA(temporary_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
}

FileReplacement::~FileReplacement() {
  Close();
  if (!committed_ && !temporary_.empty()) DeleteFileA(temporary_.c_str());
}

bool FileReplacement::Flush() {
  const bool flushed = Opened() && FlushFileBuffers(file_);
  const bool closed = Opened() && CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
  return flushed && closed;
}

bool FileReplacement::Commit() {
  Close();
  committed_ = !temporary_.empty() &&
               MoveFileExA(temporary_.c_str(), target_.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  return committed_;
}

void FileReplacement::Close() {
  if (Opened()) CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
}
