// The glyph font "Persian" as Windows and the rich edit control see it:
// found by face name, a glyph for every code the editor writes, and the
// control showing pasted codes with those glyphs.
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

TEST(GlyphFont, IsFoundByItsFaceNameAsAnAnsiFont) {
  ScreenDC screen;
  SelectedFont font(screen, "Persian", TextHeight);
  EXPECT_EQ(font.Face(), "Persian");
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen, &metrics);
  // 8-bit text reaches the font through code page 1252.
  EXPECT_EQ(metrics.tmCharSet, ANSI_CHARSET);
}

TEST(GlyphFont, HasAGlyphForEveryLatinAndPaletteCodeAndNoneElsewhere) {
  ScreenDC screen;
  SelectedFont font(screen, "Persian", TextHeight);
  const std::vector<int> latin = CodesFrom(32, 126), palette = PaletteCodes();
  const std::vector<WORD> latinGlyphs = font.Glyphs(latin), paletteGlyphs = font.Glyphs(palette);
  for (size_t i = 0; i < latin.size(); ++i) EXPECT_NE(latinGlyphs[i], 0xFFFF) << latin[i];
  for (size_t i = 0; i < palette.size(); ++i) EXPECT_NE(paletteGlyphs[i], 0xFFFF) << palette[i];
  EXPECT_EQ(std::set<WORD>(paletteGlyphs.begin(), paletteGlyphs.end()).size(), 96u);
  // A substituted face would have glyphs here; this font leaves them empty.
  for (int code : CodesFrom(192, 223)) EXPECT_EQ(font.Glyphs({code})[0], 0xFFFF) << code;
}

namespace {

// Wine's rich edit control keeps these codes in the text but draws them
// with no width and no ink: the soft hyphen and the five codes that
// Windows-1252 leaves undefined. The font can only put glyphs there whose
// loss a writer can bear.
bool HiddenByTheControl(int code) {
  return code == 129 || code == 141 || code == 143 || code == 144 || code == 157 || code == 173;
}

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

// Draws each code of the text in a face, at the place where the control
// shows it, leaving out what the control hides.
void DrawAsTheControlPlacesIt(HWND control, const std::string& text, const char* face,
                              const Picture& picture) {
  RECT all{0, 0, picture.Width(), picture.Height()};
  FillRect(picture.DC(), &all, GetSysColorBrush(COLOR_WINDOW));
  SetBkMode(picture.DC(), TRANSPARENT);
  SetTextColor(picture.DC(), RGB(0, 0, 0));
  SelectedFont font(picture.DC(), face, TextHeight);
  for (size_t i = 0; i < text.size(); ++i) {
    if (HiddenByTheControl(static_cast<BYTE>(text[i]))) continue;
    const POINT at = CharPosition(control, static_cast<int>(i));
    ExtTextOutA(picture.DC(), at.x, at.y, 0, nullptr, &text[i], 1, nullptr);
  }
}

DWORD CALLBACK TakeStream(DWORD_PTR cookie, BYTE* bytes, LONG count, LONG* done) {
  reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<char*>(bytes), count);
  *done = count;
  return 0;
}

DWORD CALLBACK GiveStream(DWORD_PTR cookie, BYTE* bytes, LONG count, LONG* done) {
  auto* rest = reinterpret_cast<std::string*>(cookie);
  *done = std::min(count, static_cast<LONG>(rest->size()));
  std::memcpy(bytes, rest->data(), static_cast<size_t>(*done));
  rest->erase(0, static_cast<size_t>(*done));
  return 0;
}

// The control's text as saving writes it.
std::string StreamOut(HWND control, WPARAM format) {
  std::string out;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&out), 0, TakeStream};
  SendMessageA(control, EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&stream));
  return out;
}

// Replaces the control's text as opening a file does.
void StreamIn(HWND control, WPARAM format, std::string content) {
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&content), 0, GiveStream};
  SendMessageA(control, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
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
  // The control's picture beside the same codes drawn by GDI in a face.
  double DifferenceFrom(const char* face, const std::string& text) {
    SendMessageA(Text(), EM_SETSEL, 0, 0);
    Pump(100);
    const RECT client = ClientRect(Text());
    Picture shown(client.right, client.bottom), drawn(client.right, client.bottom);
    CaptureClient(Text(), shown);
    DrawAsTheControlPlacesIt(Text(), text, face, drawn);
    return InkDifference(shown, drawn);
  }
};

TEST_F(GlyphFontInText, SpecialCodesSurviveSavingAndOpeningInBothFormats) {
  Paste(specialCodes);
  for (WPARAM format : {SF_TEXT, SF_RTF}) {
    const std::string saved = StreamOut(Text(), format);
    SetWindowTextA(Text(), "");
    StreamIn(Text(), format, saved);
    EXPECT_EQ(WindowText(Text()), specialCodes) << format;
  }
}

// One line of the text at a time, so that nothing wraps.
class PastedCodes : public GlyphFontInText, public testing::WithParamInterface<CodeLine> {};

TEST_P(PastedCodes, KeepTheirBytesAndShowThePersianGlyphs) {
  const std::string text = CodeText(GetParam().codes);
  Paste(text);
  EXPECT_EQ(WindowText(Text()), text);
  EXPECT_EQ(StreamOut(Text(), SF_TEXT), text);

  const CHARFORMATA format = RangeFormat(Text(), 0, static_cast<int>(text.size()));
  EXPECT_TRUE(format.dwMask & CFM_FACE);
  EXPECT_STREQ(format.szFaceName, "Persian");

  ScreenDC screen;
  SelectedFont font(screen, "Persian", TextHeight);
  for (size_t i = 0; i < text.size(); ++i) {
    const int code = static_cast<BYTE>(text[i]);
    const int width = CharPosition(Text(), static_cast<int>(i) + 1).x -
                      CharPosition(Text(), static_cast<int>(i)).x;
    EXPECT_EQ(width, HiddenByTheControl(code) ? 0 : font.Advance(code)) << code;
  }
  // The measure tells faces apart: a substituted face lands far off.
  EXPECT_LT(DifferenceFrom("Persian", text), 0.02);
  EXPECT_GT(DifferenceFrom("No Such Face", text), 0.3);
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
  EXPECT_EQ(WindowText(Text()), display);
  EXPECT_LT(DifferenceFrom("Persian", display), 0.02);

  char folder[MAX_PATH] = {};
  if (GetEnvironmentVariableA("DABIRO_PICTURES", folder, sizeof folder)) {
    SendMessageA(Text(), EM_SETSEL, 0, 0);
    HideCaret(Text());
    Pump(100);
    SaveWindowPicture(form->Handle(), std::string(folder) + "\\font-under-wine.bmp");
    ShowCaret(Text());
  }
}
