#include "TwoStepReplacement.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// A folder in memory whose moves can be made to fail one at a time.
class Folder : public core::FileMoves {
 public:
  std::map<std::string, std::string> files;
  int failingMove = 0;  // the number of the move that fails, from 1; 0: none

  bool Exists(const std::string& path) override { return files.count(path) != 0; }
  bool Move(const std::string& from, const std::string& to) override {
    if (++moves_ == failingMove || !Exists(from) || Exists(to)) return false;
    files[to] = files[from];
    files.erase(from);
    return true;
  }
  bool Remove(const std::string& path) override { return files.erase(path) != 0; }

 private:
  int moves_ = 0;
};

bool Replace(Folder& folder) {
  return core::ReplaceInTwoSteps(folder, "dab1.tmp", "letter.rtf", "dab2.tmp");
}

}  // namespace

TEST(TwoStepReplacement, TheNewFileTakesThePlaceOfTheOldAndNoBackupIsLeft) {
  Folder folder;
  folder.files = {{"letter.rtf", "old"}, {"dab1.tmp", "new"}};
  EXPECT_TRUE(Replace(folder));
  EXPECT_EQ(folder.files, (std::map<std::string, std::string>{{"letter.rtf", "new"}}));
}

TEST(TwoStepReplacement, ANewTargetTakesOneMove) {
  Folder folder;
  folder.files = {{"dab1.tmp", "new"}};
  folder.failingMove = 2;
  EXPECT_TRUE(Replace(folder));
  EXPECT_EQ(folder.files, (std::map<std::string, std::string>{{"letter.rtf", "new"}}));
}

// Whichever move fails, the old file is back under its name and the new
// one is still there for the caller to remove.
TEST(TwoStepReplacement, AFailedMoveLeavesTheOldFileInPlace) {
  for (int failing : {1, 2}) {
    Folder folder;
    folder.files = {{"letter.rtf", "old"}, {"dab1.tmp", "new"}};
    folder.failingMove = failing;
    EXPECT_FALSE(Replace(folder)) << failing;
    EXPECT_EQ(folder.files, (std::map<std::string, std::string>{{"letter.rtf", "old"},
                                                                 {"dab1.tmp", "new"}}))
        << failing;
  }
}
