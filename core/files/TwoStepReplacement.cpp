#include "TwoStepReplacement.h"

namespace core {

Replacement ReplaceInTwoSteps(FileMoves& files, const std::string& replacement,
                              const std::string& target, const std::string& backup) {
  const bool oldTarget = files.Exists(target);
  if (oldTarget && !files.Move(target, backup)) return Replacement::NotDone;
  if (!files.Move(replacement, target)) {
    if (oldTarget && !files.Move(backup, target)) return Replacement::OldFileAside;
    return Replacement::NotDone;
  }
  // The save has succeeded; a backup that cannot go is only a stray file.
  if (oldTarget) files.Remove(backup);
  return Replacement::Done;
}

}  // namespace core
