#include "TwoStepReplacement.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

// A folder in memory whose moves can be made to fail one at a time.
class Folder : public core::FileMoves {
 public:
  std::map<std::string, std::string> files;
  std::set<int> failingMoves;  // the numbers of the moves that fail, from 1

  bool Exists(const std::string& path) override { return files.count(path) != 0; }
  bool Move(const std::string& from, const std::string& to) override {
    if (failingMoves.count(++moves_) || !Exists(from) || Exists(to)) return false;
    files[to] = files[from];
    files.erase(from);
    return true;
  }
  bool Remove(const std::string& path) override { return files.erase(path) != 0; }

 private:
  int moves_ = 0;
};

core::Replacement Replace(Folder& folder) {
  return core::ReplaceInTwoSteps(folder, "dab1.tmp", "letter.rtf", "dab2.tmp");
}

}  // namespace

TEST(TwoStepReplacement, TheNewFileTakesThePlaceOfTheOldAndNoBackupIsLeft) {
  Folder folder;
  folder.files = {{"letter.rtf", "old"}, {"dab1.tmp", "new"}};
  EXPECT_EQ(Replace(folder), core::Replacement::Done);
  EXPECT_EQ(folder.files, (std::map<std::string, std::string>{{"letter.rtf", "new"}}));
}

TEST(TwoStepReplacement, ANewTargetTakesOneMove) {
  Folder folder;
  folder.files = {{"dab1.tmp", "new"}};
  folder.failingMoves = {2};
  EXPECT_EQ(Replace(folder), core::Replacement::Done);
  EXPECT_EQ(folder.files, (std::map<std::string, std::string>{{"letter.rtf", "new"}}));
}

// Whichever move fails, the old file is back under its name and the new
// one is still there for the caller to remove.
TEST(TwoStepReplacement, AFailedMoveLeavesTheOldFileInPlace) {
  for (int failing : {1, 2}) {
    Folder folder;
    folder.files = {{"letter.rtf", "old"}, {"dab1.tmp", "new"}};
    folder.failingMoves = {failing};
    EXPECT_EQ(Replace(folder), core::Replacement::NotDone) << failing;
    EXPECT_EQ(folder.files,
              (std::map<std::string, std::string>{{"letter.rtf", "old"}, {"dab1.tmp", "new"}}))
        << failing;
  }
}

// The step back fails too: the old file is under the backup name, which
// the result tells, and the new one is still there.
TEST(TwoStepReplacement, AFailedStepBackLeavesTheOldFileAside) {
  Folder folder;
  folder.files = {{"letter.rtf", "old"}, {"dab1.tmp", "new"}};
  folder.failingMoves = {2, 3};
  EXPECT_EQ(Replace(folder), core::Replacement::OldFileAside);
  EXPECT_EQ(folder.files,
            (std::map<std::string, std::string>{{"dab2.tmp", "old"}, {"dab1.tmp", "new"}}));
}
