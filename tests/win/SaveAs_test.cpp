// Save As under the real save dialog: the name and format that each filter
// gives, and the question before an existing file is replaced.
#include "FilesFixture.h"

using namespace testing_support;

namespace {

struct SaveAsCase {
  int filterIndex;
  const char* typed;
  const char* documentName;  // relative to the test folder
  const char* fileOnDisk;
  bool rtf;
};

std::string CaseName(const testing::TestParamInfo<SaveAsCase>& info) {
  std::string name = "Filter" + std::to_string(info.param.filterIndex) + "_";
  for (const char* c = info.param.typed; *c; ++c)
    name += *c == '.' ? std::string("Dot") : std::string(1, *c);
  return name;
}

}  // namespace

class SaveAsMatrix : public FilesTest, public testing::WithParamInterface<SaveAsCase> {};

TEST_P(SaveAsMatrix, FinalNameAndFormat) {
  const SaveAsCase& c = GetParam();
  SetDocument("Salaam");
  ASSERT_TRUE(SaveAs(c.typed, c.filterIndex));
  EXPECT_EQ(form->DocumentName(), PathOf(c.documentName));
  EXPECT_EQ(form->SaveDialog.filterIndex, c.filterIndex) << "the dialog keeps the type chosen";
  EXPECT_FALSE(Modified());
  ASSERT_EQ(FolderEntries(), std::vector<std::string>{c.fileOnDisk});
  const std::string bytes = ReadFile(c.fileOnDisk);
  EXPECT_EQ(StartsAsRtf(bytes), c.rtf) << bytes;
  EXPECT_NE(bytes.find("Salaam"), std::string::npos) << bytes;
  if (!c.rtf) {
    EXPECT_EQ(bytes.substr(0, 6), "Salaam");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, SaveAsMatrix,
    testing::Values(SaveAsCase{1, "letter", "letter.rtf", "letter.rtf", true},
                    SaveAsCase{1, "letter.txt", "letter.txt.rtf", "letter.txt.rtf", true},
                    SaveAsCase{1, "letter.RTF", "letter.RTF", "letter.RTF", true},
                    SaveAsCase{1, "letter.", "letter..rtf", "letter..rtf", true},
                    SaveAsCase{1, "letter.rtf", "letter.rtf", "letter.rtf", true},
                    SaveAsCase{1, "letter.Rtf", "letter.Rtf", "letter.Rtf", true},
                    SaveAsCase{2, "letter", "letter.txt", "letter.txt", false},
                    SaveAsCase{2, "letter.txt", "letter.txt", "letter.txt", false},
                    SaveAsCase{2, "letter.RTF", "letter.RTF.txt", "letter.RTF.txt", false},
                    SaveAsCase{2, "letter.", "letter..txt", "letter..txt", false},
                    SaveAsCase{2, "letter.rtf", "letter.rtf.txt", "letter.rtf.txt", false},
                    SaveAsCase{2, "letter.Rtf", "letter.Rtf.txt", "letter.Rtf.txt", false},
                    SaveAsCase{3, "letter", "letter", "letter", false},
                    SaveAsCase{3, "letter.txt", "letter.txt", "letter.txt", false},
                    SaveAsCase{3, "letter.RTF", "letter.RTF", "letter.RTF", true},
                    // The file system drops a name's final dot.
                    SaveAsCase{3, "letter.", "letter.", "letter", false},
                    SaveAsCase{3, "letter.rtf", "letter.rtf", "letter.rtf", true},
                    SaveAsCase{3, "letter.Rtf", "letter.Rtf", "letter.Rtf", true}),
    CaseName);

struct OverwriteCase {
  const char* name;
  ModalScript::Action answer;
  bool replaces;
};

class OverwriteQuestion : public FilesTest, public testing::WithParamInterface<OverwriteCase> {};

TEST_P(OverwriteQuestion, NamesTheFullFileAndOnlyYesReplacesIt) {
  WriteFile("letter.rtf", "old content");
  SetDocument("new content");
  ASSERT_TRUE(SaveAs("letter", 1, GetParam().answer));
  EXPECT_EQ(questions, std::vector<std::string>{"OK to overwrite " + PathOf("letter.rtf")});
  if (GetParam().replaces) {
    EXPECT_TRUE(StartsAsRtf(ReadFile("letter.rtf")));
    EXPECT_EQ(form->DocumentName(), PathOf("letter.rtf"));
    EXPECT_FALSE(Modified());
  } else {
    EXPECT_EQ(ReadFile("letter.rtf"), "old content");
    EXPECT_EQ(form->DocumentName(), "Untitled");
    EXPECT_TRUE(Modified());
  }
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"letter.rtf"});
}

INSTANTIATE_TEST_SUITE_P(
    Files, OverwriteQuestion,
    testing::Values(OverwriteCase{"Yes", AnswerYes, true}, OverwriteCase{"No", AnswerNo, false},
                    OverwriteCase{"Cancel", AnswerCancel, false},
                    OverwriteCase{"Escape", [](HWND) { QueueKey(VK_ESCAPE); }, false}),
    [](const testing::TestParamInfo<OverwriteCase>& info) { return std::string(info.param.name); });
