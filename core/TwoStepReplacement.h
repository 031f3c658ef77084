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

// Puts `replacement` in place of `target` where the system has no move
// that replaces (Windows 95, 98 and ME): the old target first steps aside
// to `backup`, a free name beside it, and steps back if the new file cannot
// take its place. On false the target is as it was and `replacement` is
// still there; on true the backup is gone.
bool ReplaceInTwoSteps(FileMoves& files, const std::string& replacement,
                       const std::string& target, const std::string& backup);

}  // namespace core
