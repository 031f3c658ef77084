#pragma once
#include <windows.h>

#include <string>
#include <vector>

// A new file written beside its target and put in place of it only when
// the writing has succeeded: until then the target keeps its old content,
// and a replacement that is never committed leaves no file behind.
class FileReplacement {
 public:
  // Checks that the target may be replaced (an existing target must be a
  // file that can be opened for writing) and creates the new file in the
  // target's folder. Opened() tells whether both succeeded.
  explicit FileReplacement(std::string target);
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  bool Opened() const { return file_ != INVALID_HANDLE_VALUE; }

  // Adds the bytes to the new file, gathered into large blocks (the control
  // hands over small ones); false when the disk refuses a block.
  bool Write(const void* bytes, size_t count);
  // Writes the new file through to the disk and closes it; false when the
  // disk refuses.
  bool Flush();
  // Puts the flushed file in place of the target, with the target's
  // attributes (hidden, system, archive, ...); false when that fails.
  bool Commit();
  // After a failed Commit: where the old file is when it could not return
  // to its name, or "" when it has its name still.
  const std::string& OldFileAside() const { return oldFileAside_; }

 private:
  void Close();
  bool WritePending();

  std::string target_;
  DWORD attributes_ = INVALID_FILE_ATTRIBUTES;  // the target's, when it exists
  std::string temporary_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  std::vector<char> pending_;
  bool committed_ = false;
  std::string oldFileAside_;
};
