// The glyph font "Persian" as Windows and the rich edit control see it:
// found by face name, a glyph for every code the editor writes, and the
// control showing codes with those glyphs whichever way they come in, and
// giving them back as the same bytes. The test program also runs under
// other code pages (see CMakeLists.txt): all of this holds on each.
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "Clipboard.h"
#include "DocumentStreams.h"
#include "MainFormFixture.h"
#include "Palette.h"

using namespace testing_support;

namespace {

constexpr int TextHeight = 27;

std::vector<int> CodesFrom(int first, int last) {
  std::vector<int> codes;
  for (int code = first; code <= last; ++code) codes.push_back(code);
  return codes;
}

std::vector<int> PaletteCodes() {
  std::vector<int> codes = CodesFrom(128, 191);
  for (int code : CodesFrom(224, 255)) codes.push_back(code);
  return codes;
}

std::string CodeText(const std::vector<int>& codes) {
  std::string text;
  for (int code : codes) text += static_cast<char>(code);
  return text;
}

// Selected by face name alone, as the editor's controls do.
HFONT CreateFaceFont(const char* face, int height) {
  return CreateFontA(-height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
}

// A font selected into a device context for the scope's life.
class SelectedFont {
 public:
  SelectedFont(HDC dc, const char* face, int height)
      : dc_(dc), font_(CreateFaceFont(face, height)), old_(SelectObject(dc, font_)) {}
  ~SelectedFont() {
    SelectObject(dc_, old_);
    DeleteObject(font_);
  }
  std::string Face() const {
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc_, sizeof face, face);
    return face;
  }
  // The glyph of each code, 0xFFFF where the font has none.
  std::vector<WORD> Glyphs(const std::vector<int>& codes) const {
    const std::string text = CodeText(codes);
    std::vector<WORD> glyphs(text.size());
    GetGlyphIndicesA(dc_, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                     GGI_MARK_NONEXISTING_GLYPHS);
    return glyphs;
  }
  int Advance(int code) const {
    INT width = 0;
    GetCharWidth32A(dc_, static_cast<UINT>(code), static_cast<UINT>(code), &width);
    return width;
  }

 private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ old_;
};

class ScreenDC {
 public:
  ScreenDC() : dc_(GetDC(nullptr)) {}
  ~ScreenDC() { ReleaseDC(nullptr, dc_); }
  operator HDC() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace

// Each run under another code page must really get it from Wine.
TEST(GlyphFont, RunsUnderTheCodePageItIsMeantFor) {
  char page[16] = "1252";
  GetEnvironmentVariableA("DABIRO_CODE_PAGE", page, sizeof page);
  EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(page)));
}

TEST(GlyphFont, IsFoundByItsFaceNameAsASymbolFont) {
  ScreenDC screen;
  SelectedFont font(screen, "Persian", TextHeight);
  EXPECT_EQ(font.Face(), "Persian");
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen, &metrics);
  // 8-bit text reaches the font without going through the code page.
  EXPECT_EQ(metrics.tmCharSet, SYMBOL_CHARSET);
}

TEST(GlyphFont, HasAGlyphForEveryLatinPaletteAndExtraCodeAndNoneElsewhere) {
  ScreenDC screen;
  SelectedFont font(screen, "Persian", TextHeight);
  const std::vector<int> latin = CodesFrom(32, 126), palette = PaletteCodes();
  const std::vector<WORD> latinGlyphs = font.Glyphs(latin), paletteGlyphs = font.Glyphs(palette);
  for (size_t i = 0; i < latin.size(); ++i) EXPECT_NE(latinGlyphs[i], 0xFFFF) << latin[i];
  for (size_t i = 0; i < palette.size(); ++i) EXPECT_NE(paletteGlyphs[i], 0xFFFF) << palette[i];
  EXPECT_EQ(std::set<WORD>(paletteGlyphs.begin(), paletteGlyphs.end()).size(), 96u);
  // The letters beyond the palette, then codes a substituted face would
  // have glyphs at; this font leaves them empty.
  for (int code : CodesFrom(192, 211)) EXPECT_NE(font.Glyphs({code})[0], 0xFFFF) << code;
  for (int code : CodesFrom(212, 223)) EXPECT_EQ(font.Glyphs({code})[0], 0xFFFF) << code;
}

namespace {

// A device-independent 32-bit picture, top row first.
class Picture {
 public:
  Picture(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader = Header();
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ =
        CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~Picture() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  HDC DC() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  void CopyFrom(HDC source, int left, int top) const {
    BitBlt(dc_, 0, 0, width_, height_, source, left, top, SRCCOPY);
    GdiFlush();
  }
  // How dark a pixel is: 0 for white, 255 for black.
  int Ink(int x, int y) const {
    const DWORD pixel = bits_[y * width_ + x];
    return 255 - static_cast<int>((pixel & 0xFF) + (pixel >> 8 & 0xFF) + (pixel >> 16 & 0xFF)) / 3;
  }
  // GDI leaves the fourth byte of each pixel 0, which picture readers
  // may take for full transparency: the file says opaque.
  void SaveBmp(const std::string& path) {
    GdiFlush();
    for (int i = 0; i < width_ * height_; ++i) bits_[i] |= 0xFF000000;
    const BITMAPINFOHEADER header = Header();
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof header;
    const BITMAPFILEHEADER file{0x4D42, offset + header.biSizeImage, 0, 0, offset};
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
      std::fwrite(&file, sizeof file, 1, out);
      std::fwrite(&header, sizeof header, 1, out);
      std::fwrite(bits_, header.biSizeImage, 1, out);
      std::fclose(out);
    }
  }

 private:
  BITMAPINFOHEADER Header() const {
    const DWORD bytes = static_cast<DWORD>(width_) * static_cast<DWORD>(height_) * 4;
    return {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, bytes, 0, 0, 0, 0};
  }

  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  DWORD* bits_ = nullptr;
};

// The share of two pictures' ink that differs: 0 when they are alike,
// near 1 when their strokes lie in different places.
double InkDifference(const Picture& a, const Picture& b) {
  long long differing = 0, total = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const int inkA = a.Ink(x, y), inkB = b.Ink(x, y);
      differing += std::abs(inkA - inkB);
      total += std::max(inkA, inkB);
    }
  return total ? static_cast<double>(differing) / static_cast<double>(total) : 0.0;
}

RECT ClientRect(HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  return rc;
}

// What the control's client area shows, without its caret.
void CaptureClient(HWND control, const Picture& picture) {
  HideCaret(control);
  HDC dc = GetDC(control);
  picture.CopyFrom(dc, 0, 0);
  ReleaseDC(control, dc);
  ShowCaret(control);
}

POINT CharPosition(HWND control, int index) {
  POINTL point{};
  // The version 1.0 form: the point comes back through wParam.
  SendMessageA(control, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), index);
  return {point.x, point.y};
}

// Draws each code the view shows in a face, at the place where the view
// draws it (the text scrolled to its top).
void DrawAsTheViewPlacesIt(const core::LaidOutText& text, const char* face, int height,
                           const Picture& picture) {
  RECT all{0, 0, picture.Width(), picture.Height()};
  FillRect(picture.DC(), &all, GetSysColorBrush(COLOR_WINDOW));
  SetBkMode(picture.DC(), TRANSPARENT);
  SetTextColor(picture.DC(), RGB(0, 0, 0));
  SetTextAlign(picture.DC(), TA_LEFT | TA_BASELINE);
  SelectedFont font(picture.DC(), face, height);
  for (const core::LaidOutLine& line : text.lines)
    for (const core::PlacedText& piece : line.pieces) {
      int x = ReadingView::Margin + piece.x;
      for (size_t i = 0; i < piece.text.size(); ++i) {
        ExtTextOutA(picture.DC(), x, piece.baseline, 0, nullptr, &piece.text[i], 1, nullptr);
        x += piece.advances[i];
      }
    }
}

std::string TemporaryPath(const char* name) {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

std::string FileBytes(const std::string& path) {
  std::string bytes;
  if (FILE* in = std::fopen(path.c_str(), "rb")) {
    char block[4096];
    for (size_t n; (n = std::fread(block, 1, sizeof block, in)) > 0;) bytes.append(block, n);
    std::fclose(in);
  }
  return bytes;
}

void PutFile(const std::string& path, const std::string& bytes) {
  if (FILE* out = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
  }
}

// The codes as RTF the way the editor wrote it while the glyph font was an
// ANSI font: named with character set 0.
std::string OldRtf(const std::string& codes) {
  std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Persian;}}\\f0\\fs54 ";
  char escape[8];
  for (char code : codes) {
    std::snprintf(escape, sizeof escape, "\\'%02x", static_cast<unsigned char>(code));
    rtf += escape;
  }
  return rtf + "\\par}";
}

CHARFORMATA RangeFormat(HWND control, int start, int end) {
  SendMessageA(control, EM_SETSEL, start, end);
  CHARFORMATA format;
  std::memset(&format, 0, sizeof format);
  format.cbSize = sizeof format;
  SendMessageA(control, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  return format;
}

// The codes that 1252 leaves undefined, the no-break space and the soft
// hyphen, between two Latin letters.
const std::string specialCodes =
    "A\x81\x8D\x8F\x90\x9D\xA0\xAD"
    "B";

struct CodeLine {
  const char* name;
  std::vector<int> codes;
};

}  // namespace

// The document text with codes in it, written as a palette press writes:
// pasted as CF_TEXT.
class GlyphFontInText : public MainFormTest {
 protected:
  void Paste(const std::string& text) {
    ReplaceClipboardText(form->Handle(), text);
    SendMessageA(Text(), WM_PASTE, 0, 0);
    Pump(100);
  }
  // The text's picture beside the same codes drawn by GDI in a face, as
  // the view places them, with the focus away so that no caret shows. The
  // text's height is the first character's, in screen pixels.
  double DifferenceFrom(const char* face) {
    const int height = MulDiv(RangeFormat(Text(), 0, 1).yHeight, 96, 1440);
    SendMessageA(Text(), EM_SETSEL, 0, 0);
    SetFocus(form->StringGrid1.Handle());
    Pump(100);
    const HWND view = form->ReadingView1.Handle();
    const RECT client = ClientRect(view);
    Picture shown(client.right, client.bottom), drawn(client.right, client.bottom);
    CaptureClient(view, shown);
    DrawAsTheViewPlacesIt(form->ReadingView1.ScreenText(), face, height, drawn);
    SetFocus(Text());
    return InkDifference(shown, drawn);
  }
};

TEST_F(GlyphFontInText, SpecialCodesSurviveSavingAndOpeningInBothFormats) {
  Paste(specialCodes);
  const std::string path = TemporaryPath("special-codes");
  for (bool plainText : {true, false}) {
    SaveDocument(form->RichEdit1, path, plainText);
    if (plainText) {
      EXPECT_EQ(FileBytes(path), specialCodes);
    }
    SetCodes("");
    LoadDocument(form->RichEdit1, path);
    EXPECT_EQ(Codes(), specialCodes) << plainText;
  }
  DeleteFileA(path.c_str());
}

// One line of the text at a time, so that nothing wraps.
class PastedCodes : public GlyphFontInText, public testing::WithParamInterface<CodeLine> {};

TEST_P(PastedCodes, KeepTheirBytesAndShowThePersianGlyphs) {
  const std::string text = CodeText(GetParam().codes);
  Paste(text);
  EXPECT_EQ(Codes(), text);

  const CHARFORMATA format = RangeFormat(Text(), 0, static_cast<int>(text.size()));
  EXPECT_TRUE(format.dwMask & CFM_FACE);
  EXPECT_STREQ(format.szFaceName, "Persian");

  ScreenDC screen;
  SelectedFont font(screen, "Persian", TextHeight);
  for (size_t i = 0; i < text.size(); ++i) {
    const int width = CharPosition(Text(), static_cast<int>(i) + 1).x -
                      CharPosition(Text(), static_cast<int>(i)).x;
    EXPECT_EQ(width, font.Advance(static_cast<BYTE>(text[i]))) << static_cast<int>(text[i]);
  }
  // The measure tells faces apart: a substituted face lands far off.
  EXPECT_LT(DifferenceFrom("Persian"), 0.02);
  EXPECT_GT(DifferenceFrom("No Such Face"), 0.3);
}

namespace {

// The ways codes come into the document besides a palette press.
enum class WayIn { Typed, OpenedAsText, OpenedAsOldRtf, PastedFromAnotherProgram };

std::string WayName(const testing::TestParamInfo<WayIn>& info) {
  static const char* const names[] = {"Typed", "OpenedAsText", "OpenedAsOldRtf",
                                      "PastedFromAnotherProgram"};
  return names[static_cast<int>(info.param)];
}

}  // namespace

class CodesComingIn : public GlyphFontInText, public testing::WithParamInterface<WayIn> {
 protected:
  void Bring(const std::string& codes) {
    const std::string path = TemporaryPath("codes-coming-in");
    switch (GetParam()) {
      case WayIn::Typed:
        // As the keyboard delivers them to an ANSI window.
        for (char code : codes) SendMessageA(Text(), WM_CHAR, static_cast<BYTE>(code), 1);
        break;
      case WayIn::OpenedAsText:
      case WayIn::OpenedAsOldRtf:
        PutFile(path, GetParam() == WayIn::OpenedAsText ? codes : OldRtf(codes));
        LoadDocument(form->RichEdit1, path);
        DeleteFileA(path.c_str());
        break;
      case WayIn::PastedFromAnotherProgram:
        Paste(codes);
        break;
    }
    Pump(100);
  }
};

// The whole palette, wrapped over several lines.
TEST_P(CodesComingIn, ShowThePersianGlyphsAndLeaveAsTheSameBytes) {
  const std::string codes = CodeText(PaletteCodes());
  Bring(codes);
  EXPECT_EQ(Codes(), codes);
  EXPECT_LT(DifferenceFrom("Persian"), 0.02);
}

INSTANTIATE_TEST_SUITE_P(Ways, CodesComingIn,
                         testing::Values(WayIn::Typed, WayIn::OpenedAsText, WayIn::OpenedAsOldRtf,
                                         WayIn::PastedFromAnotherProgram),
                         WayName);

// Other programs get the codes as their bytes, and the editor gets back
// the formatted text; with the control's own keys too.
TEST_F(GlyphFontInText, CopiedCodesLeaveAsTheirBytesAndComeBackFormatted) {
  const std::string codes = CodeText(PaletteCodes());
  SetCodes(codes);
  const int end = static_cast<int>(codes.size());
  SendMessageA(Text(), EM_SETSEL, 0, end);
  form->BoldButton.Click();
  SendMessageA(Text(), EM_SETSEL, 0, end);
  PressKey(VK_CONTROL);
  TapKey('C');
  ReleaseKey(VK_CONTROL);
  Pump(100);
  std::string copied;
  ASSERT_TRUE(ReadClipboardText(form->Handle(), copied));
  EXPECT_EQ(copied, codes);

  SetCodes("");
  PressKey(VK_SHIFT);
  TapKey(VK_INSERT);
  ReleaseKey(VK_SHIFT);
  Pump(100);
  EXPECT_EQ(Codes(), codes);
  EXPECT_TRUE(RangeFormat(Text(), 0, 1).dwEffects & CFE_BOLD);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PastedCodes,
    testing::Values(CodeLine{"Punctuation", CodesFrom(32, 64)},
                    CodeLine{"Capitals", CodesFrom(65, 95)}, CodeLine{"Small", CodesFrom(96, 126)},
                    CodeLine{"Row0", CodesFrom(128, 143)}, CodeLine{"Row1", CodesFrom(144, 159)},
                    CodeLine{"Row2", CodesFrom(160, 175)}, CodeLine{"Row3", CodesFrom(176, 191)},
                    CodeLine{"Row4", CodesFrom(224, 239)}, CodeLine{"Row5", CodesFrom(240, 255)}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {

// The centre of the palette cell that writes the code.
POINT PaletteCell(int code) {
  int column = 0, row = 0;
  core::CellOfCode(code, column, row);
  return {column * core::BandWidth + core::CellWidth / 2,
          row * core::BandHeight + core::CellHeight / 2};
}

void SaveWindowPicture(HWND hwnd, const std::string& path) {
  RECT rc;
  GetWindowRect(hwnd, &rc);
  Picture picture(rc.right - rc.left, rc.bottom - rc.top);
  HDC screen = GetDC(nullptr);
  picture.CopyFrom(screen, rc.left, rc.top);
  ReleaseDC(nullptr, screen);
  picture.SaveBmp(path);
}

}  // namespace

// "Mohammad reads books with the children every day", written as a person
// does: palette cells clicked in reading order, spaces typed. It needs alef
// and beh final and hah medial, and writes khah after the prefix mi- in its
// medial form: the initial form's code is one the control hides.
// With DABIRO_PICTURES naming a folder, the window's picture is saved there.
TEST_F(GlyphFontInText, APersonWritesASentenceFromThePalette) {
  const std::vector<int> reading = {239, 156, 239, 153, 32,  232, 149, 32,  148, 235, 146,
                                    32,  138, 142, 32,  138, 159, 234, 232, 142, 32,  181,
                                    134, 142, 139, 32,  239, 230, 154, 236, 140, 237, 153};
  for (int code : reading) {
    if (code == ' ') {
      TapKey(VK_SPACE);
      continue;
    }
    const POINT cell = PaletteCell(code);
    Click(form->StringGrid1.Handle(), cell.x, cell.y);
  }
  Pump(100);
  const std::string display(CodeText(std::vector<int>(reading.rbegin(), reading.rend())));
  EXPECT_EQ(Codes(), display);
  EXPECT_LT(DifferenceFrom("Persian"), 0.02);

  char folder[MAX_PATH] = {};
  if (GetEnvironmentVariableA("DABIRO_PICTURES", folder, sizeof folder)) {
    SendMessageA(Text(), EM_SETSEL, 0, 0);
    HideCaret(Text());
    Pump(100);
    SaveWindowPicture(form->Handle(), std::string(folder) + "\\font-under-wine.bmp");
    ShowCaret(Text());
  }
}
