#include "ConvertCommand.h"

#include <gtest/gtest.h>

#include "Exceptions.h"

namespace {

using core::DocumentFormat;

core::ConvertRequest Parse(std::vector<std::string> arguments) {
  return core::ParseConvertArguments(arguments);
}

TEST(ConvertCommand, FormatsFollowTheExtensions) {
  const struct {
    std::vector<std::string> arguments;
    DocumentFormat in, out;
  } accepted[] = {
      {{"to-unicode", "a.TXT", "-"}, DocumentFormat::Text, DocumentFormat::Text},
      {{"to-unicode", "dir.x/a.rtf", "b.htm"}, DocumentFormat::Rtf, DocumentFormat::Html},
      {{"to-unicode", "-", "b.html"}, DocumentFormat::Text, DocumentFormat::Html},
      {{"from-unicode", "a.rtf", "b.rtf", "--placeholders"},
       DocumentFormat::Rtf,
       DocumentFormat::Rtf},
  };
  for (const auto& [arguments, in, out] : accepted) {
    const core::ConvertRequest request = Parse(arguments);
    EXPECT_EQ(request.inputFormat, in) << arguments[1];
    EXPECT_EQ(request.outputFormat, out) << arguments[2];
  }
  EXPECT_TRUE(Parse({"--placeholders", "from-unicode", "-", "-"}).placeholders);
  EXPECT_TRUE(Parse({"--help"}).help);
}

TEST(ConvertCommand, RefusesWhatItCannotDoWithAReason) {
  const std::vector<std::string> refused[] = {
      {},
      {"to-unicode", "a.txt"},
      {"sideways", "a.txt", "b.txt"},
      {"to-unicode", "a.doc", "b.txt"},
      {"to-unicode", "dir.rtf/a", "b.txt"},
      {"to-unicode", "a.rtf", "b.txt"},
      {"from-unicode", "a.txt", "b.html"},
      {"from-unicode", "a.txt", "b.txt", "--force"},
  };
  for (const auto& arguments : refused)
    EXPECT_THROW(Parse(arguments), core::Exception) << arguments.size();
}

TEST(ConvertCommand, StopsAtWhatCannotBeConvertedUnlessPlaceholdersAreAsked) {
  core::ConvertRequest request = Parse({"from-unicode", "-", "-"});
  try {
    core::ConvertDocument(request, "a\xC3\xA9\xC3\xA9");
    FAIL();
  } catch (const core::Exception& failure) {
    EXPECT_EQ(failure.Message(),
              "line 1, column 2: U+00E9 cannot be written with the font Persian "
              "(and 1 more; --placeholders converts them visibly)");
  }
  EXPECT_THROW(core::ConvertDocument(request, "\xFF\xFE\x41"), core::Exception);
  request.placeholders = true;
  const core::ConvertedDocument document = core::ConvertDocument(request, "a\xC3\xA9\xC3\xA9");
  EXPECT_EQ(document.bytes, "a??");  // its placeholders stay in their Latin word
  EXPECT_EQ(document.problems.size(), 2u);
}

TEST(ConvertCommand, HtmlHasAParagraphPerLineEscaped) {
  const core::ConvertedDocument document =
      core::ConvertDocument(Parse({"to-unicode", "-", "b.html"}), "a<b\r\n\r\n\x8B\r\n");
  EXPECT_NE(document.bytes.find("dir=\"rtl\""), std::string::npos);
  EXPECT_NE(document.bytes.find("<p>a&lt;b</p>\n<p><br></p>\n<p>\xD8\xA8</p>\n</body>"),
            std::string::npos)
      << document.bytes;
}

}  // namespace
