// Documents of other programs through the real Open and Save: each kind
// opens as glyph text, the status line names it, Save writes it back in
// its own kind, and what the font cannot show is said and never given up
// without asking.
#include <fstream>
#include <sstream>

#include "DocumentKind.h"
#include "FilesFixture.h"
#include "HostCommand.h"
#include "RtfDocument.h"
#include "TextAttributes.h"
#include "UnicodeToGlyph.h"
#include "Utf.h"

using namespace testing_support;
using core::DocumentKind;

namespace {

const char Persian[] = "سلام Hello ۱۲۳\r\nمی‌روم به خانه";

std::u32string Unicode(std::string_view utf8) {
  std::u32string text;
  std::size_t fault = 0;
  core::UnicodeFromUtf8(utf8, text, fault);
  return text;
}

std::string Utf16File(bool bigEndian) {
  return (bigEndian ? "\xFE\xFF" : "\xFF\xFE") +
         core::Utf16Bytes(core::Utf16FromUnicode(Unicode(Persian)), bigEndian);
}

// The text of an RTF document, paragraph by paragraph, as UTF-8.
std::string RtfText(const std::string& rtf) {
  std::string text;
  for (const core::RtfParagraph& paragraph : core::ReadRtf(rtf).paragraphs) {
    std::u32string line;
    for (const core::FormattedCharacter& character : paragraph.characters)
      line += character.character;
    text += core::Utf8FromUnicode(line) + "\n";
  }
  return text;
}

struct KindCase {
  const char* label;
  std::string bytes;
  DocumentKind kind;
  const char*
      shown;  // UTF-8 of what the document shows, in reading order; null: not all in the glyph font
};

// As pandoc writes RTF: \uN with a fallback; as Word on a Persian Windows
// writes it: Arabic code page bytes in a font of the Arabic character set.
const char PandocRtf[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\n"
    "{\\pard \\ql \\f0 \\u1587?\\u1604?\\u1575?\\u1605? Hello\\par}\n}";
const char WordRtf[] =
    "{\\rtf1\\ansi\\ansicpg1256\\deff0{\\fonttbl{\\f0\\fnil\\fcharset178 "
    "Tahoma;}{\\f1\\fnil\\fcharset0 Arial;}}\n"
    "\\pard\\rtlpar\\qr\\f0\\rtlch \\'d3\\'e1\\'c7\\'e3 {\\f1 Hello}\\par\n}";

}  // namespace

class DocumentKinds : public FilesTest, public testing::WithParamInterface<KindCase> {};

TEST_P(DocumentKinds, OpenShowsGlyphsAndSaveWritesTheKindBack) {
  const KindCase& c = GetParam();
  WriteFile("document", c.bytes);
  // As Explorer opens it: the code-page runs have the open dialog in
  // other languages.
  form->OpenFromCommandLine("\"" + PathOf("document") + "\"");
  ASSERT_EQ(form->DocumentName(), PathOf("document"));
  EXPECT_EQ(form->DocumentKind(), c.kind);
  EXPECT_EQ(StatusText(), std::string("Opened as ") + core::KindName(c.kind));
  core::Unconvertibles problems;
  std::string shown = Document();
  if (shown.size() >= 2 && shown.compare(shown.size() - 2, 2, "\r\n") == 0)
    shown.resize(shown.size() - 2);
  if (c.shown) {
    EXPECT_EQ(shown, core::UnicodeToGlyphs(Unicode(c.shown), problems));
  }
  if (c.shown && core::IsUnicodeText(c.kind)) {
    // Text takes the default format, as a text of glyph codes does.
    SendMessageA(Text(), EM_SETSEL, 0, -1);
    const TextAttributes all(form->RichEdit1, TextAttributes::Scope::Selection);
    const TextAttributes byDefault(form->RichEdit1, TextAttributes::Scope::Default);
    EXPECT_EQ(all.FaceName(), byDefault.FaceName());
    EXPECT_EQ(all.Size(), byDefault.Size());
    EXPECT_EQ(all.Style(), byDefault.Style());
  }

  Command(form->FileSaveItem);
  EXPECT_EQ(StatusText(), std::string("Saved as ") + core::KindName(c.kind));
  const std::string saved = ReadFile("document");
  if (c.kind == DocumentKind::UnicodeRtf) {
    EXPECT_EQ(RtfText(saved), RtfText(c.bytes));
  } else {
    EXPECT_EQ(saved, c.bytes);
  }
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"document"});
}

INSTANTIATE_TEST_SUITE_P(
    Files, DocumentKinds,
    testing::Values(
        KindCase{"Utf8", Persian, DocumentKind::Utf8Text, Persian},
        KindCase{"Utf8WithMark", std::string("\xEF\xBB\xBF") + Persian,
                 DocumentKind::Utf8TextWithMark, Persian},
        KindCase{"Utf16", Utf16File(false), DocumentKind::Utf16Text, Persian},
        KindCase{"Utf8EndingInLineBreaks", std::string(Persian) + "\r\n\r\n",
                 DocumentKind::Utf8Text,
                 "سلام Hello ۱۲۳\r\nمی‌روم به خانه\r\n"},
        KindCase{"OnlyAByteOrderMark", "\xEF\xBB\xBF", DocumentKind::Utf8TextWithMark, ""},
        KindCase{"Utf16BigEndian", Utf16File(true), DocumentKind::Utf16BigEndianText, Persian},
        KindCase{"PandocRtf", PandocRtf, DocumentKind::UnicodeRtf, "سلام Hello"},
        KindCase{"WordRtf", WordRtf, DocumentKind::UnicodeRtf, "سلام Hello"},
        KindCase{"GlyphText", "Hello \xB0\xE2\xAE", DocumentKind::GlyphText, "سلام Hello"},
        KindCase{"WesternLettersBesidePersian", "Café naïve «سلام»", DocumentKind::Utf8Text,
                 nullptr}),
    [](const testing::TestParamInfo<KindCase>& info) { return std::string(info.param.label); });

// What the font cannot show but the code page holds stays itself (é);
// anything else opens as '?', is said with where it is, and Save
// overwrites the file that still holds it only when told to.
TEST_F(FilesTest, WhatTheFontCannotShowIsKeptOrSaidAndSaveAsksBeforeGivingItUp) {
  WriteFile("cafe.txt", "café سلام Ω");
  ModalScript opening;
  opening
      .On([] { return CommonDialog("Open"); },
          [=](HWND dialog) { EnterFileName(dialog, PathOf("cafe.txt")); })
      .On([] { return FindThreadWindow("#32770", "Information"); },
          [](HWND box) { ClickButton(box, {"OK"}); });
  ASSERT_TRUE(opening.Run([&] { Command(form->FileOpenItem); }));
  EXPECT_NE(opening.Seen().back().find("1 character(s)"), std::string::npos)
      << opening.Seen().back();
  EXPECT_NE(opening.Seen().back().find("line 1, column 11: U+03A9"), std::string::npos)
      << opening.Seen().back();

  for (const bool agree : {false, true}) {
    ModalScript saving;
    saving.On(QuestionBox, agree ? AnswerYes : AnswerNo);
    ASSERT_TRUE(saving.Run([&] { Command(form->FileSaveItem); }));
    EXPECT_NE(saving.Seen().back().find(PathOf("cafe.txt")), std::string::npos)
        << saving.Seen().back();
    EXPECT_EQ(ReadFile("cafe.txt"), agree ? "café سلام ?" : "café سلام Ω");
  }
  // Once given up, the character is not asked about again.
  Command(form->FileSaveItem);
  EXPECT_EQ(ReadFile("cafe.txt"), "café سلام ?");
}

// The three Unicode types of Save As, and the name each gives.
TEST_F(FilesTest, SaveAsWritesUnicodeTextUnicodeRtfAndWebPages) {
  core::Unconvertibles problems;
  SetDocument(core::UnicodeToGlyphs(Unicode("سلام دنیا"), problems));
  const struct {
    int filter;
    const char* file;
    DocumentKind kind;
  } types[] = {{4, "letter.txt", DocumentKind::Utf8Text},
               {5, "letter.rtf", DocumentKind::UnicodeRtf},
               {6, "letter.htm", DocumentKind::WebPage}};
  for (const auto& type : types) {
    ASSERT_TRUE(SaveAs("letter", type.filter));
    EXPECT_EQ(form->DocumentName(), PathOf(type.file));
    EXPECT_EQ(form->DocumentKind(), type.kind);
    const std::string bytes = ReadFile(type.file);
    if (type.kind == DocumentKind::Utf8Text) {
      EXPECT_EQ(bytes, "سلام دنیا");
    } else if (type.kind == DocumentKind::UnicodeRtf) {
      EXPECT_EQ(RtfText(bytes), "سلام دنیا\n");
    } else {
      EXPECT_NE(bytes.find("<html"), std::string::npos) << bytes;
      EXPECT_NE(bytes.find("سلام دنیا"), std::string::npos) << bytes;
    }
  }
}

namespace {

std::string HostFile(const std::string& hostPath) {
  std::ifstream file(WindowsPath(hostPath), std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void WriteHostFile(const std::string& hostPath, const std::string& bytes) {
  std::ofstream(WindowsPath(hostPath), std::ios::binary) << bytes;
}

// The lines a text holds, without the empty ones and the direction marks
// AbiWord puts before a Latin word in a right-to-left paragraph.
std::vector<std::string> LinesOf(std::string text) {
  for (const char* mark : {"\xE2\x80\x8E", "\xE2\x80\x8F"})
    for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark))
      text.erase(at, 3);
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

}  // namespace

// Documents made here by the programs that write them: each opens as glyph
// text, and what Save writes reads back in AbiWord as the same text.
TEST_F(FilesTest, DocumentsOfPandocAndAbiWordOpenAndReadBackTheSame) {
  if (RunHost("command -v pandoc && command -v abiword").exitCode != 0)
    GTEST_SKIP() << "pandoc or abiword missing";
  const std::string host = "/tmp/dabiro-other-programs";
  ASSERT_EQ(RunHost("rm -rf " + host + " && mkdir -p " + host).exitCode, 0);
  const std::vector<std::string> paragraphs = {"سلام دنیا، امروز هوا خوب است.",
                                               "می‌روم به خانه Hello ۱۲۳"};
  WriteHostFile(host + "/in.md", paragraphs[0] + "\n\n" + paragraphs[1] + "\n");
  WriteHostFile(
      host + "/in.html",
      "<html><head><meta http-equiv='Content-Type' content='text/html; charset=utf-8'></head><body>"
      "<p dir='rtl'>" +
          paragraphs[0] + "</p><p dir='rtl'>" + paragraphs[1] + "</p></body></html>");
  ASSERT_EQ(RunHost("pandoc -s " + host + "/in.md -t rtf -o " + host + "/pandoc.rtf").exitCode, 0);
  ASSERT_EQ(RunHost("abiword --to=rtf -o " + host + "/abiword.rtf " + host + "/in.html").exitCode,
            0);
  for (const std::string writer : {"pandoc", "abiword"}) {
    WriteFile(writer + ".rtf", HostFile(host + "/" + writer + ".rtf"));
    ASSERT_TRUE(Open(writer + ".rtf"));
    EXPECT_EQ(form->DocumentKind(), DocumentKind::UnicodeRtf) << writer;
    for (const std::string& paragraph : paragraphs) {
      core::Unconvertibles problems;
      EXPECT_NE(Document().find(core::UnicodeToGlyphs(Unicode(paragraph), problems)),
                std::string::npos)
          << writer << ": " << paragraph;
    }
    Command(form->FileSaveItem);
    WriteHostFile(host + "/saved.rtf", ReadFile(writer + ".rtf"));
    ASSERT_EQ(RunHost("abiword --to=txt -o " + host + "/back.txt " + host + "/saved.rtf").exitCode,
              0);
    EXPECT_EQ(LinesOf(HostFile(host + "/back.txt")), paragraphs) << writer;
  }
  RunHost("rm -rf " + host);
}
