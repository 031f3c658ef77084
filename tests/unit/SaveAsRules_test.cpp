#include "SaveAsRules.h"

#include <gtest/gtest.h>

struct SaveAsCase {
  const char* chosen;
  int filterIndex;
  const char* written;
  bool plainText;
};

class SaveAs : public testing::TestWithParam<SaveAsCase> {};

TEST_P(SaveAs, NameAndFormat) {
  const auto& param = GetParam();
  const std::string name = core::SaveAsFileName(param.chosen, param.filterIndex);
  EXPECT_EQ(name, param.written);
  EXPECT_EQ(core::SavesAsPlainText(name), param.plainText);
}

INSTANTIATE_TEST_SUITE_P(RtfFilter, SaveAs,
                         testing::Values(SaveAsCase{"letter", 1, "letter.rtf", false},
                                         SaveAsCase{"letter.txt", 1, "letter.txt.rtf", false},
                                         SaveAsCase{"letter.RTF", 1, "letter.RTF", false},
                                         SaveAsCase{"letter.", 1, "letter..rtf", false},
                                         SaveAsCase{"letter.rtf", 1, "letter.rtf", false},
                                         SaveAsCase{"letter.Rtf", 1, "letter.Rtf", false},
                                         SaveAsCase{"C:\\dir\\with.dot\\name", 1,
                                                    "C:\\dir\\with.dot\\name.rtf", false}));

INSTANTIATE_TEST_SUITE_P(TextFilter, SaveAs,
                         testing::Values(SaveAsCase{"letter", 2, "letter.txt", true},
                                         SaveAsCase{"letter.txt", 2, "letter.txt", true},
                                         SaveAsCase{"letter.TxT", 2, "letter.TxT", true},
                                         SaveAsCase{"letter.RTF", 2, "letter.RTF.txt", true},
                                         SaveAsCase{"letter.", 2, "letter..txt", true},
                                         SaveAsCase{"letter.rtf", 2, "letter.rtf.txt", true},
                                         SaveAsCase{"letter.Rtf", 2, "letter.Rtf.txt", true},
                                         SaveAsCase{"dir.txt\\name", 2, "dir.txt\\name.txt",
                                                    true}));

INSTANTIATE_TEST_SUITE_P(AllFiles, SaveAs,
                         testing::Values(SaveAsCase{"letter", 3, "letter", true},
                                         SaveAsCase{"letter.txt", 3, "letter.txt", true},
                                         SaveAsCase{"letter.RTF", 3, "letter.RTF", false},
                                         SaveAsCase{"letter.", 3, "letter.", true},
                                         SaveAsCase{"letter.rtf", 3, "letter.rtf", false},
                                         SaveAsCase{"letter.Rtf", 3, "letter.Rtf", false},
                                         SaveAsCase{"dir.rtf\\name", 3, "dir.rtf\\name", true},
                                         SaveAsCase{"C:.rtf", 3, "C:.rtf", false},
                                         SaveAsCase{"letter.rtf.bak", 3, "letter.rtf.bak", true}));

TEST(SaveAsRules, ExtensionStopsAtFolderAndDriveSeparators) {
  EXPECT_EQ(core::ExtensionOf("C:\\dir\\with.dot\\name"), "");
  EXPECT_EQ(core::ExtensionOf("A:B.C\\D.e"), ".e");
  EXPECT_EQ(core::ExtensionOf("C:name"), "");
  EXPECT_EQ(core::ExtensionOf("C:/with.dot/name"), "");
  EXPECT_EQ(core::ExtensionOf("C:.x"), ".x");
  EXPECT_EQ(core::ExtensionOf("a.b.c"), ".c");
  EXPECT_EQ(core::ExtensionOf("name."), ".");
  EXPECT_EQ(core::ExtensionOf(""), "");
}

TEST(SaveAsRules, UnicodeFiltersNameAndKind) {
  using core::DocumentKind;
  const struct {
    const char* chosen;
    int filterIndex;
    DocumentKind current;
    const char* written;
    DocumentKind kind;
  } cases[] = {
      {"letter", 4, DocumentKind::DabiroRtf, "letter.txt", DocumentKind::Utf8Text},
      {"letter.TXT", 4, DocumentKind::Utf16BigEndianText, "letter.TXT",
       DocumentKind::Utf16BigEndianText},
      {"letter.txt", 4, DocumentKind::UnicodeRtf, "letter.txt", DocumentKind::Utf8Text},
      {"letter.txt", 5, DocumentKind::Utf8Text, "letter.txt.rtf", DocumentKind::UnicodeRtf},
      {"page", 6, DocumentKind::GlyphText, "page.htm", DocumentKind::WebPage},
      {"page.HTML", 6, DocumentKind::GlyphText, "page.HTML", DocumentKind::WebPage},
      {"letter.rtf", 3, DocumentKind::UnicodeRtf, "letter.rtf", DocumentKind::DabiroRtf},
      {"letter", 2, DocumentKind::Utf8Text, "letter.txt", DocumentKind::GlyphText},
  };
  for (const auto& c : cases) {
    const std::string name = core::SaveAsFileName(c.chosen, c.filterIndex);
    EXPECT_EQ(name, c.written);
    EXPECT_EQ(core::SaveAsKind(name, c.filterIndex, c.current), c.kind)
        << c.chosen << " " << c.filterIndex;
  }
}

TEST(SaveAsRules, TheDialogOpensWithTheDocumentsOwnType) {
  using core::DocumentKind;
  EXPECT_EQ(core::SaveAsFilterOf(DocumentKind::DabiroRtf, 2), 1);
  EXPECT_EQ(core::SaveAsFilterOf(DocumentKind::GlyphText, 1), 2);
  EXPECT_EQ(core::SaveAsFilterOf(DocumentKind::DabiroRtf, 3), 3);  // "All" writes it too
  EXPECT_EQ(core::SaveAsFilterOf(DocumentKind::Utf16BigEndianText, 3), 4);
  EXPECT_EQ(core::SaveAsFilterOf(DocumentKind::UnicodeRtf, 1), 5);
  EXPECT_EQ(core::SaveAsFilterOf(DocumentKind::WebPage, 1), 6);
}
