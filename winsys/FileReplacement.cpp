#include "FileReplacement.h"

#include <cstdio>

#include "DocumentName.h"
#include "RunningSystem.h"
#include "TwoStepReplacement.h"

namespace {

constexpr size_t BlockSize = 64 * 1024;

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

// Creates, ready for writing, a new file of a name that no other file in
// the target's folder has, so that the final move stays on one volume:
// names like GetTempFileName's, made in one step instead of its create,
// close and open again. Where such a name would make the path too long, a
// five-letter one keeps it as short as a target's own name mostly is.
HANDLE CreateBeside(const std::string& target, std::string& name) {
  const std::string folder = core::FolderOf(target);
  const char* pattern =
      folder.size() + sizeof "dab0000.tmp" <= MAX_PATH ? "dab%04lX.tmp" : "~%04lX";
  const DWORD start = GetTickCount();
  for (DWORD attempt = 0; attempt <= 0xFFFF; ++attempt) {
    char leaf[16];
    std::snprintf(leaf, sizeof leaf, pattern,
                  static_cast<unsigned long>((start + attempt) & 0xFFFF));
    name = folder + leaf;
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  name.clear();
  return INVALID_HANDLE_VALUE;
}

// A name beside the target that no file has now, for the old file to step
// aside to.
std::string FreeNameBeside(const std::string& target) {
  std::string name;
  HANDLE file = CreateBeside(target, name);
  if (file == INVALID_HANDLE_VALUE) return {};
  CloseHandle(file);
  DeleteFileA(name.c_str());
  return name;
}

class DiskMoves : public core::FileMoves {
 public:
  bool Exists(const std::string& path) override {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  bool Move(const std::string& from, const std::string& to) override {
    return MoveFileA(from.c_str(), to.c_str()) != 0;
  }
  bool Remove(const std::string& path) override { return DeleteFileA(path.c_str()) != 0; }
};

using ReplaceFileFunction = BOOL(WINAPI*)(LPCSTR, LPCSTR, LPCSTR, DWORD, LPVOID, LPVOID);

// ReplaceFile, which Windows 2000 and later have: the new file takes on
// the old one's permissions too. Kept under a backup name while it is
// replaced, the old file is put back if the new one cannot follow.
core::Replacement ReplaceKeepingPermissions(ReplaceFileFunction replaceFile,
                                            const std::string& replacement,
                                            const std::string& target, std::string& backup) {
  backup = FreeNameBeside(target);
  if (backup.empty()) return core::Replacement::NotDone;
  if (replaceFile(target.c_str(), replacement.c_str(), backup.c_str(),
                  REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
    DeleteFileA(backup.c_str());
    return core::Replacement::Done;
  }
  if (GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 &&
      !MoveFileA(backup.c_str(), target.c_str()))
    return core::Replacement::OldFileAside;
  return core::Replacement::NotDone;
}

ReplaceFileFunction SystemReplaceFile() {
  return reinterpret_cast<ReplaceFileFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "ReplaceFileA")));
}

// Windows 95, 98 and ME have no move that replaces (MoveFileEx is a stub
// there): they take two moves, with the old file kept until the new one
// is in place. NT 4.0 has the move but not ReplaceFile. `backup` names
// where the old file stepped aside.
core::Replacement PutInPlace(const std::string& replacement, const std::string& target,
                             std::string& backup) {
  if (winui::RunsOnWindows9x()) {
    backup = FreeNameBeside(target);
    DiskMoves disk;
    return backup.empty() ? core::Replacement::NotDone
                          : core::ReplaceInTwoSteps(disk, replacement, target, backup);
  }
  const ReplaceFileFunction replaceFile = SystemReplaceFile();
  if (replaceFile && GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES)
    return ReplaceKeepingPermissions(replaceFile, replacement, target, backup);
  return MoveFileExA(replacement.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? core::Replacement::Done
             : core::Replacement::NotDone;
}

}  // namespace

FileReplacement::FileReplacement(std::string target)
    : target_(std::move(target)), attributes_(GetFileAttributesA(target_.c_str())) {
  if (!TargetMayBeReplaced(target_)) return;
  file_ = CreateBeside(target_, temporary_);
}

FileReplacement::~FileReplacement() {
  Close();
  if (!committed_ && !temporary_.empty()) DeleteFileA(temporary_.c_str());
}

bool FileReplacement::Write(const void* bytes, size_t count) {
  const char* from = static_cast<const char*>(bytes);
  pending_.insert(pending_.end(), from, from + count);
  return pending_.size() < BlockSize || WritePending();
}

bool FileReplacement::WritePending() {
  DWORD written = 0;
  const bool ok =
      Opened() &&
      WriteFile(file_, pending_.data(), static_cast<DWORD>(pending_.size()), &written, nullptr) &&
      written == pending_.size();
  pending_.clear();
  return ok;
}

bool FileReplacement::Flush() {
  const bool rest = WritePending();
  const bool flushed = Opened() && FlushFileBuffers(file_);
  const bool closed = Opened() && CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
  return rest && flushed && closed;
}

bool FileReplacement::Commit() {
  Close();
  std::string backup;
  const core::Replacement result =
      temporary_.empty() ? core::Replacement::NotDone : PutInPlace(temporary_, target_, backup);
  committed_ = result == core::Replacement::Done;
  if (result == core::Replacement::OldFileAside) oldFileAside_ = backup;
  // Not every way of replacing carries them over.
  constexpr DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                         FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_TEMPORARY;
  if (committed_ && attributes_ != INVALID_FILE_ATTRIBUTES && (attributes_ & kept))
    SetFileAttributesA(target_.c_str(), attributes_ & kept);
  return committed_;
}

void FileReplacement::Close() {
  if (Opened()) CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
}
