#include "DocumentName.h"

#include <gtest/gtest.h>

TEST(DocumentName, CaptionShowsFileNamePartAndTitle) {
  EXPECT_EQ(core::WindowCaption("Untitled", "Dabiro"), "Untitled - Dabiro");
  EXPECT_EQ(core::WindowCaption("C:\\TEXTE\\BRIEF.RTF", "Dabiro"), "BRIEF.RTF - Dabiro");
  EXPECT_EQ(core::WindowCaption("C:BRIEF.TXT", "Dabiro"), "BRIEF.TXT - Dabiro");
  EXPECT_EQ(core::WindowCaption("C:\\DIR\\", "Dabiro"), " - Dabiro");
}

TEST(DocumentName, FolderKeepsItsLastSeparator) {
  EXPECT_EQ(core::FolderOf("C:\\TOOLS\\Dabiro.exe"), "C:\\TOOLS\\");
  EXPECT_EQ(core::FolderOf("C:\\Dabiro.exe"), "C:\\");
  EXPECT_EQ(core::FolderOf("C:Dabiro.exe"), "C:");
  EXPECT_EQ(core::FolderOf("Dabiro.exe"), "");
  EXPECT_EQ(core::FolderOf("\\\\srv\\share\\a.exe"), "\\\\srv\\share\\");
  EXPECT_EQ(core::FolderOf("C:/letters/sub/doc.rtf"), "C:/letters/sub/");
  EXPECT_EQ(core::FileNamePart("C:/letters/sub/doc.rtf"), "doc.rtf");
}

TEST(DocumentName, PrintJobNameKeepsTheFirst31Characters) {
  EXPECT_EQ(core::PrintJobName("Untitled"), "Untitled");
  const std::string longName = "C:\\Dokumente\\Briefe\\2024\\an-die-familie.rtf";
  EXPECT_EQ(core::PrintJobName(longName), longName.substr(0, 31));
  EXPECT_EQ(core::PrintJobName(longName.substr(0, 31)), longName.substr(0, 31));
}
