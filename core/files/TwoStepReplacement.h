#pragma once
#include <string>

namespace core {

// The file operations a replacement in two steps needs.
class FileMoves {
 public:
  virtual ~FileMoves() = default;
  virtual bool Exists(const std::string& path) = 0;
  // Renames; fails when `to` exists.
  virtual bool Move(const std::string& from, const std::string& to) = 0;
  virtual bool Remove(const std::string& path) = 0;
};

enum class Replacement {
  Done,          // the new file has the target's name; the backup is gone
  NotDone,       // the target is as it was; `replacement` is still there
  OldFileAside,  // neither has the target's name: the old file is `backup`
};

// Puts `replacement` in place of `target` where the system has no move
// that replaces (Windows 95, 98 and ME): the old target first steps aside
// to `backup`, a free name beside it, and steps back if the new file cannot
// take its place. When even that step back fails, the old file stays under
// the backup name, and the caller must say so: the user would look for it
// under its own name in vain.
Replacement ReplaceInTwoSteps(FileMoves& files, const std::string& replacement,
                              const std::string& target, const std::string& backup);

}  // namespace core
