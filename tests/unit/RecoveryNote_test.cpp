#include "RecoveryNote.h"

#include <gtest/gtest.h>

namespace {

const std::string Document =
    "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset2 Persian;}}\\f0 \\'e5\\'e4\\par}";

TEST(RecoveryNote, TheNameAndTheFlagComeBackFromTheCopy) {
  for (const std::string name :
       {"Untitled", "C:\\Briefe\\{neu} und \xE4lter.rtf", "C:\\a;b\\c d.rtf"}) {
    for (const bool modified : {true, false}) {
      const std::string copy = core::WithRecoveryNote(Document, name, modified);
      // Still the document for any RTF reader: the note is a group of its own inside it.
      EXPECT_EQ(copy.substr(0, Document.size() - 1), Document.substr(0, Document.size() - 1));
      EXPECT_EQ(copy.back(), '}');
      std::string readName;
      bool readModified = !modified;
      ASSERT_TRUE(core::ReadRecoveryNote(copy, readName, readModified)) << name;
      EXPECT_EQ(readName, name);
      EXPECT_EQ(readModified, modified);
    }
  }
  std::string name;
  bool modified = false;
  EXPECT_FALSE(core::ReadRecoveryNote(Document, name, modified));
  EXPECT_FALSE(core::ReadRecoveryNote("{\\*\\dabirorecovery\\modified1 cut", name, modified));
}

TEST(RecoveryNote, ACopysFileNameNamesTheMutexOfItsEditor) {
  const std::string name = core::RecoveryCopyName(0x1f4, 0xdeadbeef);
  EXPECT_EQ(name, "Dabiro-000001F4-DEADBEEF.rtf");
  EXPECT_EQ(core::RecoveryOwnerName(name), "DabiroRecovery-000001F4-DEADBEEF");
  EXPECT_EQ(core::RecoveryOwnerName("DABIRO-000001f4-deadbeef.RTF"),
            "DabiroRecovery-000001F4-DEADBEEF");
  for (const char* other : {"Dabiro-000001F4.rtf", "Dabiro-000001F4-DEADBEEX.rtf", "letter.rtf",
                            "Dabiro-000001F4_DEADBEEF.rtf"})
    EXPECT_EQ(core::RecoveryOwnerName(other), "") << other;
}

}  // namespace
