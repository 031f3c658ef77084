#include "InstallerPaths.h"

#include <gtest/gtest.h>

#include "DocumentName.h"

namespace {

struct SourceCase {
  const char* systemDirectory;
  const char* fontName;
};

class FontSourceNameTest : public testing::TestWithParam<SourceCase> {};

const std::string NtFonts = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const std::string NineXFonts = "Software\\Microsoft\\Windows\\CurrentVersion\\Fonts";

TEST_P(FontSourceNameTest, NtWhenSystem32AnywhereInUpperCase) {
  const bool nt = GetParam().fontName == std::string("pfontnt.ttf");
  EXPECT_EQ(core::FontSourceName(GetParam().systemDirectory), GetParam().fontName);
  EXPECT_EQ(core::FontsRegistryKey(GetParam().systemDirectory), nt ? NtFonts : NineXFonts);
}

INSTANTIATE_TEST_SUITE_P(Cases, FontSourceNameTest,
                         testing::Values(SourceCase{"C:\\WINNT\\system32", "pfontnt.ttf"},
                                         SourceCase{"c:\\windows\\system32", "pfontnt.ttf"},
                                         SourceCase{"D:\\X\\System32Backup\\y", "pfontnt.ttf"},
                                         SourceCase{"C:\\\xE4\\SyStEm32", "pfontnt.ttf"},
                                         SourceCase{"C:\\WINDOWS\\SYSTEM", "pfont95.ttf"},
                                         SourceCase{"C:\\WINDOWS\\SYSTEM3", "pfont95.ttf"},
                                         SourceCase{"C:SYSTEM32", "pfont95.ttf"},
                                         SourceCase{"", "pfont95.ttf"}));

TEST(InstallerPaths, SourceLiesBesideTheInstaller) {
  const auto source = [](const char* module, const char* system) {
    return core::FontSourcePath(core::FolderOf(module), system);
  };
  EXPECT_EQ(source("C:\\Setup\\fontsetup.exe", "C:\\WINNT\\system32"), "C:\\Setup\\pfontnt.ttf");
  EXPECT_EQ(source("D:fontsetup.exe", "C:\\WINDOWS\\SYSTEM"), "D:pfont95.ttf");
  EXPECT_EQ(source("fontsetup.exe", "C:\\WINDOWS\\SYSTEM"), "pfont95.ttf");
}

TEST(InstallerPaths, SuffixesAreAppendedAsTheyStand) {
  EXPECT_EQ(core::FontFolder("C:\\WINDOWS"), "C:\\WINDOWS\\Fonts");
  EXPECT_EQ(core::FontDestinationPath("C:\\WINDOWS"), "C:\\WINDOWS\\Fonts\\pfont.ttf");
  EXPECT_EQ(core::FontDestinationPath("C:\\"), "C:\\\\Fonts\\pfont.ttf");
}

}  // namespace
