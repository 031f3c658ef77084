// Printing for real: the print dialog answered as a person would, Wine
// printing to the local CUPS printer "PDF", and the PDF read back with the
// poppler tools.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <richedit.h>

#include <regex>

#include "HostCommand.h"
#include "ImportPatch.h"
#include "MainFormFixture.h"
#include "ModalScript.h"
#include "Printing.h"

using namespace testing_support;

namespace {

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
  const std::string range = page ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
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
  HFONT font = CreateFontA(-MulDiv(format.yHeight, GetDeviceCaps(printer, LOGPIXELSY), 1440), 0, 0,
                           0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, format.szFaceName);
  const HGDIOBJ previous = SelectObject(printer, font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(printer, &metrics);
  const int lines = GetDeviceCaps(printer, VERTRES) / (metrics.tmHeight + metrics.tmExternalLeading);
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
    text += "Zeile" + std::to_string(i) + " \x8F\xE3\xED\x98 \xB0\xE2\xAE" + (i < count ? "\r\n" : "");
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

  // File/Print with OK in the print dialog.
  bool Print() {
    ModalScript script;
    script.On([] { return CommonDialog("Print"); }, [](HWND dialog) { ClickControl(GetDlgItem(dialog, IDOK)); });
    return script.Run([&] { SendMessageA(form->Handle(), WM_COMMAND, form->FilePrintItem.Id(), 0); });
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
  ASSERT_TRUE(Print());
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
  RunHost("pdftoppm -png -r 50 -f 1 -l 1 -singlefile '" + pdf + "' " + PictureFolder() + "printed-page");
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
      .On([&] { return PrintJobRunning() ? form->PrintButton.Handle() : nullptr; }, ClickControl)
      .On([] { return CommonDialog("Print"); }, pressOk)
      .On(ErrorBox, [](HWND box) { ClickButton(box, {"OK"}); });
  ASSERT_TRUE(script.Run([&] { SendMessageA(form->Handle(), WM_COMMAND, form->FilePrintItem.Id(), 0); },
                         120000));
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
    saved_ = RegQueryValueExA(key_, "Device", nullptr, nullptr, reinterpret_cast<BYTE*>(device_), &size) ==
             ERROR_SUCCESS;
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
    ASSERT_TRUE(script.Run([&] { SendMessageA(form->Handle(), WM_COMMAND, form->FilePrintItem.Id(), 0); }));
    message = script.Seen()[0];
  }
  EXPECT_EQ(message, "Zur Zeit ist kein Standard-Drucker gew\xE4hlt.");
}

TEST_F(PrintingTest, ThePrintDialogKeepsTheCopiesAndCancelPrintsNothing) {
  form->SetDocumentName("Copies test");
  RemovePdfs("Copies test");
  ModalScript first;
  first.On([] { return CommonDialog("Print"); }, [](HWND dialog) {
    ClickControl(GetDlgItem(dialog, edt3));
    QueueKey(VK_END);
    PressCombination(VK_SHIFT, VK_HOME);
    TypeText("2");
    ClickControl(GetDlgItem(dialog, IDOK));
  });
  ASSERT_TRUE(first.Run([&] { SendMessageA(form->Handle(), WM_COMMAND, form->FilePrintItem.Id(), 0); }));
  EXPECT_EQ(form->PrintDialog.Copies(), 2);
  ASSERT_FALSE(WaitForPdf("Copies test").empty());
  RemovePdfs("Copies test");

  std::string shownCopies;
  ModalScript second;
  second.On([] { return CommonDialog("Print"); }, [&](HWND dialog) {
    shownCopies = WindowText(GetDlgItem(dialog, edt3));
    ClickControl(GetDlgItem(dialog, IDCANCEL));
  });
  ASSERT_TRUE(second.Run([&] { SendMessageA(form->Handle(), WM_COMMAND, form->FilePrintItem.Id(), 0); }));
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
  script.On([] { return CommonDialog("Print"); }, [](HWND dialog) { ClickControl(GetDlgItem(dialog, IDOK)); })
      .On(ErrorBox, [](HWND box) { ClickButton(box, {"OK"}); });
  {
    const ImportPatch patch(GetParam().dll, GetParam().function, GetParam().replacement);
    ASSERT_TRUE(script.Run([&] { SendMessageA(form->Handle(), WM_COMMAND, form->FilePrintItem.Id(), 0); }));
  }
  EXPECT_EQ(script.Seen().back(), GetParam().message);
  EXPECT_FALSE(PrintJobRunning());
  Pump(2000);
  EXPECT_NE(RunHost("ls " + PdfFolder() + "/Failing_job*").exitCode, 0) << "nothing reaches the printer";
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FailedPrint,
    testing::Values(
        PrintFailureCase{"StartDocRefused", "GDI32.dll", "StartDocA", reinterpret_cast<void*>(RefuseStartDoc),
                         "Der Drucker nimmt den Druckauftrag nicht an."},
        PrintFailureCase{"EndPageFailsOnTheThirdPage", "GDI32.dll", "EndPage",
                         reinterpret_cast<void*>(FailLaterEndPage), "Das Drucken ist mi\xDFlungen."},
        PrintFailureCase{"NoDeviceContext", "GDI32.dll", "CreateDCA", reinterpret_cast<void*>(NoPrinterDC),
                         "Ausgew\xE4hlter Drucker ist ung\xFCltig."},
        PrintFailureCase{"NoSettingsBlock", "COMDLG32.DLL", "PrintDlgA",
                         reinterpret_cast<void*>(DialogWithoutSettings),
                         "Operation auf ausgew\xE4hltem Drucker nicht verf\xFCgbar."}),
    [](const testing::TestParamInfo<PrintFailureCase>& info) { return std::string(info.param.label); });

// The job prints the document as it was when it started, whatever happens
// to the window's text while it runs.
TEST_F(PrintingTest, EditingWhileAJobRunsDoesNotChangeWhatItPrints) {
  SetText(Lines(400));
  const int perPage = LinesPerPage(Text());
  SetText(Lines(perPage * 30));
  form->SetDocumentName("Steady job");
  RemovePdfs("Steady job");
  ModalScript script;
  script.On([] { return CommonDialog("Print"); }, [](HWND dialog) { ClickControl(GetDlgItem(dialog, IDOK)); })
      .On([&] { return PrintJobRunning() ? Text() : nullptr; }, [&](HWND) { SetText("Neuer Text"); });
  ASSERT_TRUE(script.Run([&] { SendMessageA(form->Handle(), WM_COMMAND, form->FilePrintItem.Id(), 0); },
                         120000));
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
  script.On([] { return CommonDialog("Print"); }, [](HWND dialog) { ClickControl(GetDlgItem(dialog, IDOK)); })
      .On(ErrorBox, [](HWND box) { ClickButton(box, {"OK"}); });
  const bool ran = script.Run([&] { SendMessageA(form->Handle(), WM_COMMAND, form->FilePrintItem.Id(), 0); });
  RunHost("cupsaccept PDF");
  ASSERT_TRUE(ran);
  EXPECT_EQ(script.Seen().back(), "Das Drucken ist mi\xDFlungen.");
  EXPECT_FALSE(PrintJobRunning());
}
