// Printing for real: the print dialog answered as a person would, Wine
// printing to the local CUPS printer "PDF", and the PDF read back with the
// poppler tools.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <richedit.h>

#include <fstream>
#include <regex>

#include "ControlStreams.h"
#include "HostCommand.h"
#include "ImportPatch.h"
#include "MainFormFixture.h"
#include "ModalScript.h"
#include "PrintPreview.h"
#include "Printing.h"

using namespace testing_support;

namespace {

// Every text the status line is given while this lives, in order: the
// window's own thread gives them, between the pages of a running job.
class StatusTexts {
 public:
  explicit StatusTexts(HWND statusBar)
      : hook_(SetWindowsHookExA(WH_CALLWNDPROC, Record, nullptr, GetCurrentThreadId())) {
    statusBar_ = statusBar;
    texts_.clear();
  }
  ~StatusTexts() { UnhookWindowsHookEx(hook_); }
  const std::vector<std::string>& Texts() const { return texts_; }

 private:
  static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
    const auto& message = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message.hwnd == statusBar_ && message.message == SB_SETTEXTA)
      texts_.emplace_back(reinterpret_cast<const char*>(message.lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline HWND statusBar_ = nullptr;
  static inline std::vector<std::string> texts_;
  HHOOK hook_;
};

std::string PdfFolder() {
  static const std::string folder = RunHost("printf %s $HOME/PDF").output;
  return folder;
}

// cups-pdf names its file after the job: spaces and punctuation become '_'.
std::string PdfPrefix(const std::string& jobName) {
  return std::regex_replace(jobName, std::regex("[^A-Za-z0-9.-]"), "_");
}

void RemovePdfs(const std::string& jobName) {
  RunHost("rm -f " + PdfFolder() + "/" + PdfPrefix(jobName) + "*");
}

// The printer's file of the job, once CUPS has finished with it.
std::string WaitForPdf(const std::string& jobName) {
  const std::string pattern = PdfFolder() + "/" + PdfPrefix(jobName) + "*.pdf";
  for (int i = 0; i < 240; ++i) {
    const HostResult found = RunHost("ls " + pattern + " && test $(lpstat -o PDF | wc -l) -eq 0");
    if (found.exitCode == 0) return found.output.substr(0, found.output.find('\n'));
    Pump(250);
  }
  return "";
}

std::string PdfInfo(const std::string& pdf, const std::string& field) {
  const std::string info = RunHost("pdfinfo '" + pdf + "'").output;
  std::smatch match;
  if (!std::regex_search(info, match, std::regex(field + ":\\s+(.*)"))) return "";
  return match[1];
}

std::string PdfText(const std::string& pdf, int page = 0) {
  const std::string range =
      page ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
  return RunHost("pdftotext -layout" + range + " '" + pdf + "' -").output;
}

// How many lines of the document's font fit on a page of the default
// printer. (Under Wine the control lays out no pages: the editor prints
// its text line by line in that font.)
int LinesPerPage(HWND text) {
  PRINTDLGA query{};
  query.lStructSize = sizeof query;
  query.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
  if (!PrintDlgA(&query)) return 0;
  HDC printer = query.hDC;
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  SendMessageA(text, EM_GETCHARFORMAT, 0, reinterpret_cast<LPARAM>(&format));
  // In whole half-points, as the document's RTF keeps its size.
  const int halfPoints = format.yHeight / 10;
  HFONT font = CreateFontA(-MulDiv(halfPoints, GetDeviceCaps(printer, LOGPIXELSY), 144), 0, 0, 0,
                           FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, format.szFaceName);
  const HGDIOBJ previous = SelectObject(printer, font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(printer, &metrics);
  const int lines =
      GetDeviceCaps(printer, VERTRES) / (metrics.tmHeight + metrics.tmExternalLeading);
  SelectObject(printer, previous);
  DeleteObject(font);
  DeleteDC(printer);
  GlobalFree(query.hDevMode);
  GlobalFree(query.hDevNames);
  return lines;
}

// The next place of a word that no digit follows.
size_t FindWord(const std::string& text, const std::string& word, size_t from) {
  for (size_t at = text.find(word, from); at != std::string::npos; at = text.find(word, at + 1))
    if (!isdigit(static_cast<unsigned char>(text[at + word.size()]))) return at;
  return std::string::npos;
}

// Numbered lines, each with "salaam donya" in the glyph font's codes.
std::string Lines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i)
    text +=
        "Zeile" + std::to_string(i) + " \x8F\xE3\xED\x98 \xB0\xE2\xAE" + (i < count ? "\r\n" : "");
  return text;
}

// Where the build keeps its pictures: beside the test program.
std::string PictureFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.erase(folder.find_last_of('\\') + 1);
  if (folder.rfind("Z:\\", 0) != 0) return "/tmp/";
  folder.erase(0, 2);
  for (char& c : folder)
    if (c == '\\') c = '/';
  return folder;
}

}  // namespace

class PrintingTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    ASSERT_NE(RunHost("lpstat -d").output.find("PDF"), std::string::npos)
        << "scripts/cups-start.sh makes the printer PDF the default";
  }

  void SetText(const std::string& text) const { SetCodes(text); }

  // A menu command, as the menu sends it.
  void RunMenu(const winui::MenuItem& item) const {
    SendMessageA(form->Handle(), WM_COMMAND, item.Id(), 0);
  }

  // File/Print with OK in the print dialog.
  bool Print() {
    ModalScript script;
    script.On([] { return CommonDialog("Print"); },
              [](HWND dialog) { ClickControl(GetDlgItem(dialog, IDOK)); });
    return script.Run(
        [&] { SendMessageA(form->Handle(), WM_COMMAND, form->FilePrintItem.Id(), 0); });
  }
};

TEST_F(PrintingTest, ThreePagesOfTextGiveAThreePagePdfNamedAfterTheDocument) {
  SetText(Lines(400));
  const int perPage = LinesPerPage(Text());
  ASSERT_GT(perPage, 5);
  const int total = perPage * 2 + perPage / 2;
  SetText(Lines(total));
  form->SetDocumentName("Quarterly report of the Persian editor team.rtf");
  const std::string job = "Quarterly report of the Persian";
  RemovePdfs(job);
  const StatusTexts status(form->StatusBar.Handle());
  ASSERT_TRUE(Print());
  const std::vector<std::string> progress = {
      "Printing Quarterly report of the Persian editor team.rtf...", "Printing page 1...",
      "Printing page 2...", "Printing page 3...", ""};
  EXPECT_EQ(status.Texts(), progress);
  const std::string pdf = WaitForPdf(job);
  ASSERT_FALSE(pdf.empty());
  EXPECT_EQ(PdfInfo(pdf, "Title"), job);
  EXPECT_EQ(PdfInfo(pdf, "Pages"), "3");
  // Every line once, in order, and each page starting where the last ended.
  const std::string text = PdfText(pdf);
  size_t at = 0;
  for (int i = 1; i <= total; ++i) {
    const std::string word = "Zeile" + std::to_string(i);
    const size_t found = FindWord(text, word, at);
    ASSERT_NE(found, std::string::npos) << word;
    at = found + word.size();
  }
  EXPECT_NE(FindWord(PdfText(pdf, 2), "Zeile" + std::to_string(perPage + 1), 0), std::string::npos);
  EXPECT_NE(FindWord(PdfText(pdf, 3), "Zeile" + std::to_string(total), 0), std::string::npos);
  RunHost("pdftoppm -png -r 50 -f 1 -l 1 -singlefile '" + pdf + "' " + PictureFolder() +
          "printed-page");
  RemovePdfs(job);
}

TEST_F(PrintingTest, AnEmptyDocumentPrintsOneBlankPage) {
  form->SetDocumentName("Empty page test");
  RemovePdfs("Empty page test");
  ASSERT_TRUE(Print());
  const std::string pdf = WaitForPdf("Empty page test");
  ASSERT_FALSE(pdf.empty());
  EXPECT_EQ(PdfInfo(pdf, "Pages"), "1");
  EXPECT_EQ(PdfText(pdf).find_first_not_of(" \r\n\f"), std::string::npos);
  RemovePdfs("Empty page test");
}

TEST_F(PrintingTest, AfterNewTheNewDocumentPrints) {
  ReplaceDocument();
  SetText(Lines(3));
  form->SetDocumentName("After New");
  RemovePdfs("After New");
  ASSERT_TRUE(Print());
  const std::string pdf = WaitForPdf("After New");
  ASSERT_FALSE(pdf.empty());
  EXPECT_NE(FindWord(PdfText(pdf), "Zeile3", 0), std::string::npos);
  RemovePdfs("After New");
}

TEST_F(PrintingTest, ASecondPrintWhileAJobRunsFailsAndTheFirstJobCompletes) {
  SetText(Lines(400));
  const int perPage = LinesPerPage(Text());
  ASSERT_GT(perPage, 5);
  SetText(Lines(perPage * 30));
  form->SetDocumentName("Long job");
  RemovePdfs("Long job");
  ModalScript script;
  auto pressOk = [](HWND dialog) { ClickControl(GetDlgItem(dialog, IDOK)); };
  script.On([] { return CommonDialog("Print"); }, pressOk)
      .On([&] { return PrintJobRunning() ? form->SpeedBar.Handle() : nullptr; },
          [&](HWND) { QueueClickAtScreen(ScreenMiddle(form->PrintButton)); })
      .On([] { return CommonDialog("Print"); }, pressOk)
      .On(ErrorBox, [](HWND box) { ClickButton(box, {"OK"}); });
  ASSERT_TRUE(script.Run(
      [&] { SendMessageA(form->Handle(), WM_COMMAND, form->FilePrintItem.Id(), 0); }, 120000));
  EXPECT_EQ(script.Seen()[3], "Das Drucken ist im Gang.");
  EXPECT_FALSE(PrintJobRunning());
  const std::string pdf = WaitForPdf("Long job");
  ASSERT_FALSE(pdf.empty());
  EXPECT_EQ(PdfInfo(pdf, "Pages"), "30");
  RemovePdfs("Long job");
}

namespace {
// Hides the user's default printer from Wine for the life of a scope.
class NoDefaultPrinter {
 public:
  NoDefaultPrinter() {
    RegOpenKeyExA(HKEY_CURRENT_USER, Key, 0, KEY_READ | KEY_WRITE, &key_);
    DWORD size = sizeof device_;
    saved_ = RegQueryValueExA(key_, "Device", nullptr, nullptr, reinterpret_cast<BYTE*>(device_),
                              &size) == ERROR_SUCCESS;
    RegDeleteValueA(key_, "Device");
  }
  ~NoDefaultPrinter() {
    if (saved_)
      RegSetValueExA(key_, "Device", 0, REG_SZ, reinterpret_cast<const BYTE*>(device_),
                     static_cast<DWORD>(strlen(device_) + 1));
    RegCloseKey(key_);
  }

 private:
  static constexpr const char* Key = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
  HKEY key_ = nullptr;
  char device_[512] = {};
  bool saved_ = false;
};
}  // namespace

TEST_F(PrintingTest, WithoutADefaultPrinterPrintSaysSo) {
  std::string message;
  {
    const NoDefaultPrinter hidden;
    ModalScript script;
    script.On(ErrorBox, [](HWND box) { ClickButton(box, {"OK"}); });
    ASSERT_TRUE(
        script.Run([&] { SendMessageA(form->Handle(), WM_COMMAND, form->FilePrintItem.Id(), 0); }));
    message = script.Seen()[0];
  }
  EXPECT_EQ(message, "Zur Zeit ist kein Standard-Drucker gew\xE4hlt.");
}

TEST_F(PrintingTest, ThePrintDialogKeepsTheCopiesAndCancelPrintsNothing) {
  form->SetDocumentName("Copies test");
  RemovePdfs("Copies test");
  ModalScript first;
  first.On([] { return CommonDialog("Print"); },
           [](HWND dialog) {
             ClickControl(GetDlgItem(dialog, edt3));
             QueueKey(VK_END);
             PressCombination(VK_SHIFT, VK_HOME);
             TypeText("2");
             ClickControl(GetDlgItem(dialog, IDOK));
           });
  ASSERT_TRUE(
      first.Run([&] { SendMessageA(form->Handle(), WM_COMMAND, form->FilePrintItem.Id(), 0); }));
  EXPECT_EQ(form->PrintDialog.Copies(), 2);
  ASSERT_FALSE(WaitForPdf("Copies test").empty());
  RemovePdfs("Copies test");

  std::string shownCopies;
  ModalScript second;
  second.On([] { return CommonDialog("Print"); },
            [&](HWND dialog) {
              shownCopies = WindowText(GetDlgItem(dialog, edt3));
              ClickControl(GetDlgItem(dialog, IDCANCEL));
            });
  ASSERT_TRUE(
      second.Run([&] { SendMessageA(form->Handle(), WM_COMMAND, form->FilePrintItem.Id(), 0); }));
  EXPECT_EQ(shownCopies, "2");
  EXPECT_EQ(form->PrintDialog.Copies(), 2);
  Pump(3000);
  EXPECT_NE(RunHost("ls " + PdfFolder() + "/Copies_test*").exitCode, 0) << "Cancel prints nothing";
}

namespace {

// Each step of a job, and the dialog and printer before it, made to fail by
// replacing what the program imports; the failure must be said, and no job
// may be left open.
int pagesLeft = 0;

int WINAPI RefuseStartDoc(HDC, const DOCINFOA*) { return SP_ERROR; }
int WINAPI FailLaterEndPage(HDC dc) {
  return --pagesLeft < 0 ? SP_ERROR : ImportPatch::Original<decltype(&EndPage)>("EndPage")(dc);
}
HDC WINAPI NoPrinterDC(LPCSTR, LPCSTR, LPCSTR, const DEVMODEA*) { return nullptr; }
BOOL WINAPI DialogWithoutSettings(LPPRINTDLGA dialog) {
  const BOOL ok = ImportPatch::Original<decltype(&PrintDlgA)>("PrintDlgA")(dialog);
  if (ok && dialog->hDevMode && !(dialog->Flags & PD_RETURNDEFAULT)) {
    GlobalFree(dialog->hDevMode);
    dialog->hDevMode = nullptr;
  }
  return ok;
}

struct PrintFailureCase {
  const char* label;
  const char* dll;
  const char* function;
  void* replacement;
  const char* message;
};

void PrintTo(const PrintFailureCase& c, std::ostream* out) { *out << c.label; }

class FailedPrint : public PrintingTest, public testing::WithParamInterface<PrintFailureCase> {};

}  // namespace

TEST_P(FailedPrint, SaysWhatFailedAndLeavesNoJobOpen) {
  SetText(Lines(400));
  form->SetDocumentName("Failing job");
  RemovePdfs("Failing job");
  pagesLeft = 2;
  ModalScript script;
  script
      .On([] { return CommonDialog("Print"); },
          [](HWND dialog) { ClickControl(GetDlgItem(dialog, IDOK)); })
      .On(ErrorBox, [](HWND box) { ClickButton(box, {"OK"}); });
  {
    const ImportPatch patch(GetParam().dll, GetParam().function, GetParam().replacement);
    ASSERT_TRUE(
        script.Run([&] { SendMessageA(form->Handle(), WM_COMMAND, form->FilePrintItem.Id(), 0); }));
  }
  EXPECT_EQ(script.Seen().back(), GetParam().message);
  EXPECT_FALSE(PrintJobRunning());
  Pump(2000);
  EXPECT_NE(RunHost("ls " + PdfFolder() + "/Failing_job*").exitCode, 0)
      << "nothing reaches the printer";
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FailedPrint,
    testing::Values(PrintFailureCase{"StartDocRefused", "GDI32.dll", "StartDocA",
                                     reinterpret_cast<void*>(RefuseStartDoc),
                                     "Der Drucker nimmt den Druckauftrag nicht an."},
                    PrintFailureCase{"EndPageFailsOnTheThirdPage", "GDI32.dll", "EndPage",
                                     reinterpret_cast<void*>(FailLaterEndPage),
                                     "Das Drucken ist mi\xDFlungen."},
                    PrintFailureCase{"NoDeviceContext", "GDI32.dll", "CreateDCA",
                                     reinterpret_cast<void*>(NoPrinterDC),
                                     "Ausgew\xE4hlter Drucker ist ung\xFCltig."},
                    PrintFailureCase{"NoSettingsBlock", "COMDLG32.DLL", "PrintDlgA",
                                     reinterpret_cast<void*>(DialogWithoutSettings),
                                     "Operation auf ausgew\xE4hltem Drucker nicht verf\xFCgbar."}),
    [](const testing::TestParamInfo<PrintFailureCase>& info) {
      return std::string(info.param.label);
    });

// The job prints the document as it was when it started, whatever happens
// to the window's text while it runs.
TEST_F(PrintingTest, EditingWhileAJobRunsDoesNotChangeWhatItPrints) {
  SetText(Lines(400));
  const int perPage = LinesPerPage(Text());
  SetText(Lines(perPage * 30));
  form->SetDocumentName("Steady job");
  RemovePdfs("Steady job");
  ModalScript script;
  script
      .On([] { return CommonDialog("Print"); },
          [](HWND dialog) { ClickControl(GetDlgItem(dialog, IDOK)); })
      .On([&] { return PrintJobRunning() ? Text() : nullptr; },
          [&](HWND) { SetText("Neuer Text"); });
  ASSERT_TRUE(script.Run(
      [&] { SendMessageA(form->Handle(), WM_COMMAND, form->FilePrintItem.Id(), 0); }, 120000));
  const std::string pdf = WaitForPdf("Steady job");
  ASSERT_FALSE(pdf.empty());
  const std::string text = PdfText(pdf);
  EXPECT_EQ(PdfInfo(pdf, "Pages"), "30");
  EXPECT_NE(FindWord(text, "Zeile" + std::to_string(perPage * 30), 0), std::string::npos);
  EXPECT_EQ(text.find("Neuer"), std::string::npos);
  RemovePdfs("Steady job");
}

// A printer whose queue refuses jobs: the refusal is said, not taken for a
// printed document.
TEST_F(PrintingTest, APrinterThatRefusesJobsSaysSo) {
  SetText(Lines(10));
  form->SetDocumentName("Refused job");
  ASSERT_EQ(RunHost("cupsreject PDF").exitCode, 0);
  ModalScript script;
  script
      .On([] { return CommonDialog("Print"); },
          [](HWND dialog) { ClickControl(GetDlgItem(dialog, IDOK)); })
      .On(ErrorBox, [](HWND box) { ClickButton(box, {"OK"}); });
  const bool ran =
      script.Run([&] { SendMessageA(form->Handle(), WM_COMMAND, form->FilePrintItem.Id(), 0); });
  RunHost("cupsaccept PDF");
  ASSERT_TRUE(ran);
  EXPECT_EQ(script.Seen().back(), "Das Drucken ist mi\xDFlungen.");
  EXPECT_FALSE(PrintJobRunning());
}

namespace {

// A printed page in grey levels, as pdftoppm renders it.
struct GreyPage {
  int width = 0, height = 0;
  std::vector<unsigned char> pixels;
  bool Ink(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] < 128; }
};

// Page one at a resolution, or with pdftoppm's size options ("-scale-to-x
// ..."). With redOnly, only the red pixels are ink.
GreyPage RenderPage(const std::string& pdf, const std::string& options, bool redOnly = false) {
  const std::string file = PictureFolder() + "rendered-page";
  RunHost("pdftoppm" + std::string(redOnly ? " " : " -gray ") + options +
          " -f 1 -l 1 -singlefile '" + pdf + "' " + file);
  std::ifstream in(WindowsPath(file + (redOnly ? ".ppm" : ".pgm")), std::ios::binary);
  GreyPage page;
  std::string magic;
  int depth = 0;
  in >> magic >> page.width >> page.height >> depth;
  in.get();
  const size_t size = static_cast<size_t>(page.width) * page.height;
  std::vector<unsigned char> bytes(redOnly ? 3 * size : size);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  page.pixels = bytes;
  if (redOnly) {
    page.pixels.resize(size);
    for (size_t i = 0; i < size; ++i)
      page.pixels[i] =
          bytes[3 * i] > 150 && bytes[3 * i + 1] < 100 && bytes[3 * i + 2] < 100 ? 0 : 255;
  }
  return in ? page : GreyPage{};
}

// The ink of a line or a word: its box, how much of it there is, and how
// far its upper third leans right of its lower third.
struct Ink {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom past the ink
  int amount = 0;
  double lean = 0;
  int Height() const { return bottom - top; }
  int Middle() const { return (left + right) / 2; }
};

Ink Measure(const GreyPage& page, int left, int top, int right, int bottom) {
  Ink ink{right, bottom, left, top, 0, 0};
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      if (page.Ink(x, y)) {
        ++ink.amount;
        ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x + 1);
        ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y + 1);
      }
  const int third = std::max(1, ink.Height() / 3);
  auto meanX = [&](int from, int to) {
    double sum = 0, count = 0;
    for (int y = from; y < to; ++y)
      for (int x = ink.left; x < ink.right; ++x)
        if (page.Ink(x, y)) sum += x, ++count;
    return count ? sum / count : 0;
  };
  ink.lean = meanX(ink.top, ink.top + third) - meanX(ink.bottom - third, ink.bottom);
  return ink;
}

// Runs of ink along one axis, apart by at least gap blank rows or columns.
std::vector<std::pair<int, int>> Spans(int from, int to, int gap,
                                       const std::function<bool(int)>& inked) {
  std::vector<std::pair<int, int>> spans;
  int blank = gap;
  for (int at = from; at < to; ++at) {
    if (!inked(at)) {
      ++blank;
      continue;
    }
    if (blank >= gap)
      spans.emplace_back(at, at + 1);
    else
      spans.back().second = at + 1;
    blank = 0;
  }
  return spans;
}

// The lines of a page, each as its words.
std::vector<std::vector<Ink>> Words(const GreyPage& page, int wordGap) {
  std::vector<std::vector<Ink>> lines;
  auto rowInked = [&](int y) {
    for (int x = 0; x < page.width; ++x)
      if (page.Ink(x, y)) return true;
    return false;
  };
  // Marks over a letter are no line of their own.
  for (const auto& rows : Spans(0, page.height, wordGap / 4, rowInked)) {
    auto columnInked = [&](int x) {
      for (int y = rows.first; y < rows.second; ++y)
        if (page.Ink(x, y)) return true;
      return false;
    };
    lines.emplace_back();
    for (const auto& columns : Spans(0, page.width, wordGap, columnInked))
      lines.back().push_back(Measure(page, columns.first, rows.first, columns.second, rows.second));
  }
  return lines;
}

}  // namespace

// Where the control lays out no pages (as under Wine), the editor lays
// them out itself from the document's runs: size, bold, italic and
// alignment reach the paper. Beside the build, the page and the screen
// are kept as pictures. The face is one whose bold and italic are real
// fonts here: Wine's own Tahoma has a bold that draws no heavier.
TEST_F(PrintingTest, FormattingReachesThePaper) {
  StreamIn(form->RichEdit1, SF_RTF,
           "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Noto "
           "Sans;}{\\f1\\fnil\\fcharset2 Persian;}}"
           "\\pard\\ql\\fs24 klein     \\b\\fs56 GROSS\\b0\\fs24      klein\\par"
           "\\pard\\ql\\fs56 GROSS\\par"
           "\\pard\\ql\\fs56\\i kursiv\\i0      kursiv\\par"
           "\\pard\\qc\\fs24 Mitte der Seite\\par"
           "\\pard\\qr\\f1\\fs40 \\'8f\\'e3\\'ed\\'98 \\'b0\\'e2\\'ae\\par"
           "\\pard\\ql\\f0\\fs24 Punkt\\par}");
  const LRESULT length = SendMessageA(Text(), WM_GETTEXTLENGTH, 0, 0);
  SendMessageA(Text(), EM_SETSEL, length - 3, length - 3);  // in the last word
  form->RichEdit1.Paragraph().SetNumbering(NumberingBullet);
  SetWindowPos(form->Handle(), nullptr, 0, 0, 640, 620, SWP_NOMOVE | SWP_NOZORDER);
  RedrawWindow(form->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  form->SetDocumentName("Formatted page");
  RemovePdfs("Formatted page");
  ASSERT_TRUE(Print());
  const std::string pdf = WaitForPdf("Formatted page");
  ASSERT_FALSE(pdf.empty());
  const GreyPage page = RenderPage(pdf, "-r 300");
  const std::vector<std::vector<Ink>> lines = Words(page, 36);
  ASSERT_EQ(lines.size(), 6u);
  ASSERT_EQ(lines[0].size(), 3u);
  ASSERT_EQ(lines[1].size(), 1u);
  ASSERT_EQ(lines[2].size(), 2u);
  const Ink &small = lines[0][0], &boldLarge = lines[0][1], &regularLarge = lines[1][0];
  EXPECT_GT(boldLarge.Height(), small.Height() * 3 / 2);
  EXPECT_GT(boldLarge.Height(), lines[0][2].Height() * 3 / 2);
  EXPECT_GT(boldLarge.amount, regularLarge.amount * 5 / 4)
      << "bold is heavier than the same word upright";
  EXPECT_GT(lines[2][0].lean, lines[2][1].lean + 4) << "the italic word leans right";
  // The centred line sits midway between the left-aligned and the
  // right-aligned line's ends.
  const int middle = (small.left + lines[4].back().right) / 2;
  EXPECT_NEAR(lines[3].front().left / 2 + lines[3].back().right / 2, middle, page.width / 100);
  EXPECT_GT(lines[4].back().right, page.width * 3 / 4);
  const std::vector<Ink> item = Words(page, 12).back();
  ASSERT_EQ(item.size(), 2u);
  EXPECT_LT(item[0].right - item[0].left, (item[1].right - item[1].left) / 3)
      << "a bullet before the word";

  RunHost("pdftoppm -png -r 60 -f 1 -l 1 -singlefile '" + pdf + "' " + PictureFolder() +
          "formatted-page");
  RECT window{};
  GetWindowRect(form->Handle(), &window);
  RunHost("import -window root -crop " + std::to_string(window.right - window.left) + "x" +
          std::to_string(window.bottom - window.top) + "+" + std::to_string(window.left) + "+" +
          std::to_string(window.top) + " " + PictureFolder() + "formatted-screen.png");
  RemovePdfs("Formatted page");
}

// A long Persian paragraph prints its first word (the stored line's right
// end, here the tallest) at the right end of its first line.
TEST_F(PrintingTest, ALongPersianParagraphPrintsItsFirstWordFirst) {
  std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset2 Persian;}}\\pard\\qr\\f0\\fs28 ";
  for (int i = 0; i < 60; ++i) rtf += "\\'8f\\'e3\\'ed\\'98 \\'b0\\'e2\\'ae ";
  StreamIn(form->RichEdit1, SF_RTF, rtf + "\\fs80 \\'8f\\'e3\\'ed\\'98\\par}");
  form->SetDocumentName("Reading order");
  RemovePdfs("Reading order");
  ASSERT_TRUE(Print());
  const std::string pdf = WaitForPdf("Reading order");
  ASSERT_FALSE(pdf.empty());
  const std::vector<std::vector<Ink>> lines = Words(RenderPage(pdf, "-r 150"), 10);
  ASSERT_GT(lines.size(), 3u);
  const Ink& first = lines[0].back();
  for (const auto& line : lines)
    for (const Ink& word : line) EXPECT_LE(word.Height(), first.Height());
  EXPECT_GT(first.Height(), lines[1].back().Height() * 3 / 2)
      << "the big word opens the first line";
  EXPECT_NEAR(lines[0].back().right, lines[1].back().right, 4) << "both flush right";
  RunHost("pdftoppm -png -r 60 -f 1 -l 1 -singlefile '" + pdf + "' " + PictureFolder() +
          "reading-order-page");
  RemovePdfs("Reading order");
}

// Colour, tab stops (the default half inch and one at two inches), list
// numbers, a bullet drawn as a disc and a size in half points reach the
// paper.
TEST_F(PrintingTest, ColourTabsNumbersAndBulletsReachThePaper) {
  StreamIn(
      form->RichEdit1, SF_RTF,
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Noto Sans;}}"
      "{\\colortbl ;\\red220\\green0\\blue0;}\\pard\\fs32 schwarz     \\cf1 ROT\\cf0\\par"
      "\\pard x\\tab y\\par\\pard\\tx2880 x\\tab y\\par"
      "\\pard{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec"
      "{\\pntxta.}}\\fi-360\\li360 eins\\par{\\pntext\\f0 2.\\tab}zwei\\par"
      "\\pard{\\pntext\\f0\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf0\\pnindent0{\\pntxtb\\'b7}}"
      "\\fi-360\\li360 Punkt\\par\\pard\\fs40 mmmmmmmmmmmmmmmm\\par\\fs41 mmmmmmmmmmmmmmmm\\par}");
  form->SetDocumentName("Colour and tabs");
  RemovePdfs("Colour and tabs");
  ASSERT_TRUE(Print());
  const std::string pdf = WaitForPdf("Colour and tabs");
  ASSERT_FALSE(pdf.empty());
  const std::vector<std::vector<Ink>> lines = Words(RenderPage(pdf, "-r 300"), 24);
  ASSERT_EQ(lines.size(), 8u);
  ASSERT_EQ(lines[0].size(), 2u);
  const std::vector<std::vector<Ink>> red = Words(RenderPage(pdf, "-r 300", true), 24);
  ASSERT_EQ(red.size(), 1u);
  ASSERT_EQ(red[0].size(), 1u);
  EXPECT_NEAR(red[0][0].left, lines[0][1].left, 3) << "the second word is red";
  EXPECT_GT(red[0][0].amount, lines[0][1].amount / 2);
  ASSERT_EQ(lines[1].size(), 2u);
  ASSERT_EQ(lines[2].size(), 2u);
  EXPECT_LT(lines[1][0].right - lines[1][0].left, (lines[1][1].right - lines[1][1].left) * 3 / 2)
      << "a tab draws nothing";
  EXPECT_NEAR(lines[1][1].left - lines[1][0].left, 150, 15) << "half an inch";
  EXPECT_NEAR(lines[2][1].left - lines[2][0].left, 600, 15) << "two inches";
  EXPECT_TRUE(std::regex_search(PdfText(pdf), std::regex("1\\.\\s+eins\\s+2\\.\\s+zwei")))
      << PdfText(pdf);
  ASSERT_EQ(lines[5].size(), 2u);
  const Ink& bullet = lines[5][0];
  EXPECT_NEAR(bullet.Height(), bullet.right - bullet.left, 3) << "round";
  EXPECT_GT(bullet.amount, bullet.Height() * (bullet.right - bullet.left) * 7 / 10) << "filled";
  const double twenty = lines[6].back().right - lines[6].front().left;
  // Half a point more is 2.5% wider, less what whole pixels round away.
  EXPECT_NEAR((lines[7].back().right - lines[7].front().left) / twenty, 41.0 / 40, 0.015)
      << "20.5 points, not 20";
  RunHost("pdftoppm -png -r 60 -f 1 -l 1 -singlefile '" + pdf + "' " + PictureFolder() +
          "colour-page");
  RemovePdfs("Colour and tabs");
}

namespace {

constexpr int MillimetresPerInch10 = 254;  // tenths

// A long paragraph of Latin words that wraps into lines filling the width
// and runs over onto a second page.
std::string WrappingDocument() {
  std::string words;
  for (int i = 0; i < 900; ++i) words += "Wort" + std::to_string(i) + " ";
  return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Noto Sans;}}\\pard\\ql\\fs28 " +
         words + "\\par}";
}

// Page Setup with the margins typed into all four fields, in the units the
// dialog shows (inches in the tests' US locale).
void SetUpPage(HWND dialog, const std::string& margin, bool landscape) {
  for (int field : {edt4, edt5, edt6, edt7}) {
    ClickControl(GetDlgItem(dialog, field));
    QueueKey(VK_END);
    PressCombination(VK_SHIFT, VK_HOME);
    TypeText(margin);
  }
  if (landscape) ClickControl(GetDlgItem(dialog, rad2));
}

// Wine calls it "Setup Page".
HWND PageSetupBox() {
  const HWND box = CommonDialog("Page Setup");
  return box ? box : CommonDialog("Setup Page");
}

void Screenshot(const std::string& name) {
  RunHost("import -window root " + PictureFolder() + name);
}

// The ink of a whole page, in tenths of a millimetre from the paper's edges.
struct InkMargins {
  int left, top, right, bottom;
};

InkMargins MarginsOfInk(const GreyPage& page, int dpi) {
  const Ink ink = Measure(page, 0, 0, page.width, page.height);
  auto tenths = [dpi](int pixels) { return pixels * MillimetresPerInch10 / dpi; };
  return InkMargins{tenths(ink.left), tenths(ink.top), tenths(page.width - ink.right),
                    tenths(page.height - ink.bottom)};
}

// The rows of a page that hold ink, as runs at least gap rows apart, each
// as a fraction of the page's height.
std::vector<std::pair<double, double>> InkRows(const GreyPage& page, int gap) {
  std::vector<std::pair<double, double>> rows;
  const auto inked = [&](int y) {
    for (int x = 0; x < page.width; ++x)
      if (page.Ink(x, y)) return true;
    return false;
  };
  for (const auto& span : Spans(0, page.height, gap, inked))
    rows.emplace_back(double(span.first) / page.height, double(span.second) / page.height);
  return rows;
}

}  // namespace

TEST_F(PrintingTest, PageSetupMarginsAndOrientationReachThePaper) {
  const HMENU file = GetSubMenu(form->MainMenu, 0);
  char caption[64] = {};
  GetMenuStringA(file, 4, caption, sizeof caption, MF_BYPOSITION);
  EXPECT_STREQ(caption, "Page Set&up...") << "right after Save As";
  GetMenuStringA(file, 5, caption, sizeof caption, MF_BYPOSITION);
  EXPECT_STREQ(caption, "Print Pre&view");

  StreamIn(form->RichEdit1, SF_RTF, WrappingDocument());
  form->SetDocumentName("Margins test");
  RemovePdfs("Margins test");
  ModalScript setup;
  setup.On(PageSetupBox, [](HWND dialog) { SetUpPage(dialog, "1", true); })
      .On(PageSetupBox, [](HWND dialog) {
        Screenshot("page-setup.png");
        ClickControl(GetDlgItem(dialog, IDOK));
      });
  ASSERT_TRUE(setup.Run([&] { RunMenu(form->FilePageSetupItem); }));
  ASSERT_TRUE(form->PageSetupDialog.Margins().has_value());
  ASSERT_TRUE(Print());
  const std::string pdf = WaitForPdf("Margins test");
  ASSERT_FALSE(pdf.empty());
  const GreyPage page = RenderPage(pdf, "-r 100");
  EXPECT_GT(page.width, page.height) << "landscape";
  EXPECT_GE(std::stoi(PdfInfo(pdf, "Pages")), 2);
  // An inch is 25.4 mm from the paper's edge, whatever the printer's own
  // margin; the wrapped lines come within a word of the right margin, and
  // the last line of the page within two lines of the bottom one.
  const InkMargins ink = MarginsOfInk(page, 100);
  EXPECT_NEAR(ink.left, 254, 15);
  EXPECT_GE(ink.top, 254);
  EXPECT_LE(ink.top, 254 + 60);
  EXPECT_GE(ink.right, 254);
  EXPECT_LE(ink.right, 254 + 300);
  EXPECT_GE(ink.bottom, 254);
  EXPECT_LE(ink.bottom, 254 + 150);
  RunHost("pdftoppm -png -r 50 -f 1 -l 1 -singlefile '" + pdf + "' " + PictureFolder() +
          "margins-page");
  RemovePdfs("Margins test");
}

namespace {

struct RangeCase {
  const char* label;
  int button;  // of the print dialog's range
  bool selection;
};

void PrintTo(const RangeCase& c, std::ostream* out) { *out << c.label; }

class PrintedRange : public PrintingTest, public testing::WithParamInterface<RangeCase> {};

}  // namespace

// Pages 2 to 3 of five, or the selection alone as a document of its own.
TEST_P(PrintedRange, PrintsOnlyWhatWasChosen) {
  SetText(Lines(400));
  const int perPage = LinesPerPage(Text());
  ASSERT_GT(perPage, 5);
  SetText(Lines(perPage * 5));
  const RangeCase choice = GetParam();
  if (choice.selection) {
    const LRESULT start = SendMessageA(Text(), EM_LINEINDEX, perPage * 2 - 1, 0);
    const LRESULT end = SendMessageA(Text(), EM_LINEINDEX, perPage * 2 + 2, 0) - 1;
    SendMessageA(Text(), EM_SETSEL, start, end);
  }
  form->SetDocumentName("Range test");
  RemovePdfs("Range test");
  ModalScript script;
  script.On([] { return CommonDialog("Print"); },
            [choice](HWND dialog) {
              ClickControl(GetDlgItem(dialog, choice.button));
              if (!choice.selection) {
                for (const auto& [field, number] :
                     {std::pair<int, const char*>{edt1, "2"}, {edt2, "3"}}) {
                  ClickControl(GetDlgItem(dialog, field));
                  QueueKey(VK_END);
                  PressCombination(VK_SHIFT, VK_HOME);
                  TypeText(number);
                }
              }
              ClickControl(GetDlgItem(dialog, IDOK));
            });
  ASSERT_TRUE(script.Run([&] { RunMenu(form->FilePrintItem); }));
  const std::string pdf = WaitForPdf("Range test");
  ASSERT_FALSE(pdf.empty());
  const std::string text = PdfText(pdf);
  if (choice.selection) {
    EXPECT_EQ(PdfInfo(pdf, "Pages"), "1");
    for (int line = perPage * 2; line <= perPage * 2 + 2; ++line)
      EXPECT_NE(FindWord(text, "Zeile" + std::to_string(line), 0), std::string::npos) << line;
    EXPECT_EQ(FindWord(text, "Zeile" + std::to_string(perPage * 2 - 1), 0), std::string::npos);
    EXPECT_EQ(FindWord(text, "Zeile" + std::to_string(perPage * 2 + 3), 0), std::string::npos);
    EXPECT_EQ(FindWord(text, "Zeile1", 0), std::string::npos);
  } else {
    EXPECT_EQ(PdfInfo(pdf, "Pages"), "2");
    EXPECT_NE(FindWord(PdfText(pdf, 1), "Zeile" + std::to_string(perPage + 1), 0),
              std::string::npos);
    EXPECT_NE(FindWord(PdfText(pdf, 2), "Zeile" + std::to_string(perPage * 3), 0),
              std::string::npos);
    EXPECT_EQ(FindWord(text, "Zeile" + std::to_string(perPage), 0), std::string::npos);
    EXPECT_EQ(FindWord(text, "Zeile" + std::to_string(perPage * 3 + 1), 0), std::string::npos);
  }
  RemovePdfs("Range test");
}

INSTANTIATE_TEST_SUITE_P(Choices, PrintedRange,
                         testing::Values(RangeCase{"PagesTwoToThree", rad3, false},
                                         RangeCase{"Selection", rad2, true}),
                         [](const testing::TestParamInfo<RangeCase>& info) {
                           return std::string(info.param.label);
                         });

namespace {

// The pixels of a window's area, in grey levels as the page renders.
GreyPage Capture(HWND window, const RECT& area) {
  GreyPage page{area.right - area.left, area.bottom - area.top, {}};
  HDC source = GetDC(window), memory = CreateCompatibleDC(source);
  BITMAPINFO info{};
  info.bmiHeader = {
      sizeof(BITMAPINFOHEADER), page.width, -page.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, page.width, page.height, source, area.left, area.top, SRCCOPY);
  GdiFlush();
  const auto* pixel = static_cast<const unsigned char*>(bits);
  for (int i = 0; i < page.width * page.height; ++i, pixel += 4)
    page.pixels.push_back(static_cast<unsigned char>((pixel[0] + pixel[1] + pixel[2]) / 3));
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, source);
  return page;
}

HWND PreviewWindow() { return FindThreadWindow("DabiroPrintPreview", nullptr); }

}  // namespace

// The preview draws what prints: with margins set, its sheet and the
// printed page, at the same size, have their ink in the same places.
TEST_F(PrintingTest, ThePreviewShowsThePrintedPage) {
  StreamIn(form->RichEdit1, SF_RTF,
           "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Noto "
           "Sans;}{\\f1\\fnil\\fcharset2 Persian;}}"
           "\\pard\\ql\\fs72 Oben links\\par\\pard\\qc\\fs48 Mitte\\par"
           "\\pard\\qr\\f1\\fs56 \\'8f\\'e3\\'ed\\'98 \\'b0\\'e2\\'ae\\par\\pard\\ql\\f0\\fs48 "
           "Ende\\par}");
  form->SetDocumentName("C:\\Briefe\\Vorschau.rtf");
  ModalScript setup;
  setup.On(PageSetupBox, [](HWND dialog) { SetUpPage(dialog, "1.5", false); })
      .On(PageSetupBox, [](HWND dialog) { ClickControl(GetDlgItem(dialog, IDOK)); });
  ASSERT_TRUE(setup.Run([&] { RunMenu(form->FilePageSetupItem); }));

  std::string caption;
  GreyPage sheet;
  ModalScript preview;
  preview.On(PreviewWindow, [&](HWND window) {
    caption = WindowText(window);
    auto& shown = *static_cast<TPrintPreview*>(winui::Window::FromHandle(window));
    const HWND view = shown.View().Handle();
    UpdateWindow(view);
    sheet = Capture(view, shown.View().Sheets().at(0));
    Screenshot("print-preview.png");
    QueueKey(VK_ESCAPE);
  });
  ASSERT_TRUE(preview.Run([&] { RunMenu(form->FilePrintPreviewItem); }));
  EXPECT_EQ(caption, "Vorschau.rtf - Print Preview");
  EXPECT_EQ(PreviewWindow(), nullptr) << "Escape closes it";
  ASSERT_GT(sheet.width, 100);

  form->SetDocumentName("Preview test");
  RemovePdfs("Preview test");
  ASSERT_TRUE(Print());
  const std::string pdf = WaitForPdf("Preview test");
  ASSERT_FALSE(pdf.empty());
  const GreyPage printed = RenderPage(pdf, "-scale-to-x " + std::to_string(sheet.width) +
                                               " -scale-to-y " + std::to_string(sheet.height));
  ASSERT_EQ(printed.width, sheet.width);
  const Ink onScreen = Measure(sheet, 0, 0, sheet.width, sheet.height);
  const Ink onPaper = Measure(printed, 0, 0, printed.width, printed.height);
  const int tolerance = std::max(3, sheet.width / 60);
  EXPECT_NEAR(onScreen.left, onPaper.left, tolerance);
  EXPECT_NEAR(onScreen.right, onPaper.right, tolerance);
  EXPECT_NEAR(onScreen.top, onPaper.top, tolerance);
  EXPECT_NEAR(onScreen.bottom, onPaper.bottom, tolerance);
  EXPECT_GT(onPaper.left, sheet.width / 8) << "the margin of an inch and a half";
  const int rowGap = std::max(3, sheet.height / 120);
  const auto screenRows = InkRows(sheet, rowGap), paperRows = InkRows(printed, rowGap);
  ASSERT_EQ(screenRows.size(), 4u);
  ASSERT_EQ(paperRows.size(), 4u);
  for (size_t i = 0; i < screenRows.size(); ++i)
    EXPECT_NEAR(screenRows[i].first, paperRows[i].first, 0.01) << i;
  RemovePdfs("Preview test");
}

// Next and Prev Page step through the pages, one or two at a time, and
// stop at the ends; Close closes.
TEST_F(PrintingTest, ThePreviewStepsThroughThePages) {
  SetText(Lines(400));
  const int perPage = LinesPerPage(Text());
  SetText(Lines(perPage * 2 + 1));
  std::vector<std::string> states;
  ModalScript script;
  script.On(PreviewWindow, [&](HWND window) {
    auto& shown = *static_cast<TPrintPreview*>(winui::Window::FromHandle(window));
    auto state = [&] {
      states.push_back(std::to_string(shown.FirstPage()) + "/" +
                       std::to_string(shown.View().Sheets().size()) +
                       (IsWindowEnabled(shown.Button(TPrintPreview::NextPage)) ? " next" : "") +
                       (IsWindowEnabled(shown.Button(TPrintPreview::PreviousPage)) ? " prev" : ""));
    };
    state();
    for (int command :
         {TPrintPreview::NextPage, TPrintPreview::NextPage, TPrintPreview::PagesToggle,
          TPrintPreview::PreviousPage, TPrintPreview::PreviousPage}) {
      SendMessageA(shown.Button(command), BM_CLICK, 0, 0);
      state();
    }
    ClickControl(shown.Button(TPrintPreview::Close));
  });
  ASSERT_TRUE(script.Run([&] { RunMenu(form->FilePrintPreviewItem); }));
  EXPECT_EQ(states, (std::vector<std::string>{"0/1 next", "1/1 next prev", "2/1 prev", "2/2 prev",
                                              "0/2 next", "0/2 next"}));
  EXPECT_EQ(PreviewWindow(), nullptr);
}
