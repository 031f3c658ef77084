#include "MailCommand.h"

#include <gtest/gtest.h>

namespace {

struct MailCase {
  const char* command;
  const char* line;
};

class MailCommandLineTest : public testing::TestWithParam<MailCase> {};

TEST_P(MailCommandLineTest, PutsTheAddressWhereTheShellWould) {
  EXPECT_EQ(core::MailCommandLine(GetParam().command, "dabiro@example.org"), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MailCommandLineTest,
    testing::Values(MailCase{"C:\\mail.exe %1", "C:\\mail.exe dabiro@example.org"},
                    MailCase{"mail.exe /to:%1 /x", "mail.exe /to:dabiro@example.org /x"},
                    MailCase{"\"C:\\m.exe\" \"%1\"", "\"C:\\m.exe\" \"dabiro@example.org\""},
                    MailCase{"m.exe %1 %L", "m.exe dabiro@example.org dabiro@example.org"},
                    MailCase{"m.exe -compose \"%l\"", "m.exe -compose \"dabiro@example.org\""},
                    MailCase{"m.exe %*", "m.exe dabiro@example.org"},
                    MailCase{"m.exe %0 100%% %2", "m.exe dabiro@example.org 100% %2"},
                    MailCase{"m.exe", "m.exe dabiro@example.org"},
                    MailCase{"m.exe ", "m.exe dabiro@example.org"},
                    MailCase{"", "dabiro@example.org"}));

TEST(MailCommandLine, TheAddressIsNotSearchedAgain) {
  EXPECT_EQ(core::MailCommandLine("m.exe %1", "a%1b"), "m.exe a%1b");
}

TEST(MailCommandLine, ProgramNamesAreTriedAsWindowsTriesThem) {
  using Names = std::vector<std::string>;
  EXPECT_EQ(core::ProgramCandidates("\"C:\\Program Files\\m.exe\" /c x"),
            Names{"C:\\Program Files\\m.exe"});
  EXPECT_EQ(core::ProgramCandidates("C:\\Program Files\\m.exe  x"),
            (Names{"C:\\Program", "C:\\Program Files\\m.exe", "C:\\Program Files\\m.exe  x"}));
  EXPECT_EQ(core::ProgramCandidates("  m.exe"), Names{"m.exe"});
  EXPECT_EQ(core::ProgramCandidates(" "), Names{});
}

}  // namespace
