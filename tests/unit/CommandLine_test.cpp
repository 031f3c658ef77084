#include "CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, TakesTheDocumentAsWindowsPassesIt) {
  using core::DocumentOnCommandLine;
  EXPECT_EQ(DocumentOnCommandLine(""), "");
  EXPECT_EQ(DocumentOnCommandLine("  \t "), "");
  EXPECT_EQ(DocumentOnCommandLine("C:\\BRIEF.RTF"), "C:\\BRIEF.RTF");
  EXPECT_EQ(DocumentOnCommandLine("\"C:\\My Letters\\sabz.rtf\""), "C:\\My Letters\\sabz.rtf");
  EXPECT_EQ(DocumentOnCommandLine(" C:\\My Letters\\sabz.rtf  "), "C:\\My Letters\\sabz.rtf");
  EXPECT_EQ(DocumentOnCommandLine("\"a b.rtf\" \"c.rtf\""), "a b.rtf");
  EXPECT_EQ(DocumentOnCommandLine("\"unclosed name.txt"), "unclosed name.txt");
}
