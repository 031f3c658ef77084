// Document files and printing: New, Open, Save, Save As, Print, and the
// question to save changes that guards New, Open and closing; documents
// named on the command line or dropped on the window.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <memory>

#include "BusyIndicator.h"
#include "CommandLine.h"
#include "DocumentName.h"
#include "DocumentStreams.h"
#include "EditorTexts.h"
#include "ErrorDisplay.h"
#include "Exceptions.h"
#include "LateBoundCalls.h"
#include "MainForm.h"
#include "MessageDialog.h"
#include "PrintPreview.h"
#include "PrintedDocument.h"
#include "Printing.h"
#include "SaveAsRules.h"
#include "StringIds.h"
#include "StringResource.h"
#include "TextFormat.h"
#include "UnicodeClipboard.h"

namespace {

// Every question of these commands: Yes (6), No (7) or Cancel (2).
int Ask(const std::string& question) {
  using winui::DialogButton;
  return winui::MessageDialog(question, winui::DialogType::Confirmation,
                              {DialogButton::Yes, DialogButton::No, DialogButton::Cancel}, 0);
}

// A question whose No keeps the file as it is.
bool AgreeToOverwrite(const std::string& question) {
  using winui::DialogButton;
  return winui::MessageDialog(question, winui::DialogType::Confirmation,
                              {DialogButton::Yes, DialogButton::No}, 0) == IDYES;
}

std::string PlaceholderQuestion(const core::Unconvertibles& problems, const std::string& fileName) {
  return core::FormatWith(texts::CodesWithoutGlyph, std::to_string(problems.size())) +
         core::Describe(problems.front()) + (problems.size() > 1 ? ", ...\n" : "\n") +
         core::FormatWith(texts::SaveAnyway, fileName);
}

bool FileExists(const std::string& name) {
  const DWORD attributes = GetFileAttributesA(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void SetReadOnly(const RichEditControl& control, bool readOnly) {
  if (control.ReadOnly() != readOnly) control.Send(EM_SETREADONLY, readOnly);
}

// A name from outside (the command line, a drop) may be relative or use
// '/': the document keeps the full path it names now, so that a later Save
// writes the same file whatever the current folder is by then.
std::string FullPathOf(const std::string& fileName) {
  std::string full(MAX_PATH, '\0');
  for (;;) {
    char* filePart = nullptr;
    const DWORD length =
        GetFullPathNameA(fileName.c_str(), static_cast<DWORD>(full.size()), &full[0], &filePart);
    if (length == 0) return fileName;
    if (length < full.size()) return full.substr(0, length);
    full.resize(length);
  }
}

// A short 8.3 name given on the command line shows in the caption as the
// long name the file has.
std::string WithLongName(const std::string& fileName) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(fileName.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return fileName;
  FindClose(search);
  return core::FolderOf(fileName) + found.cFileName;
}

std::string Doing(const char* work, const std::string& fileName) {
  return core::FormatWith(texts::Doing, work, core::FileNamePart(fileName));
}

struct DeleteDc {
  void operator()(HDC dc) const { DeleteDC(dc); }
};

}  // namespace

bool TMainForm::Modified() const { return RichEdit1.Send(EM_GETMODIFY) != 0; }

void TMainForm::ConfirmSaveChanges() {
  if (!Modified()) return;
  const int answer = Ask(core::FormatWith(texts::SaveChanges, documentName_));
  if (answer == IDNO) return;
  if (answer != IDYES) throw core::SilentAbort();
  FileSave(this);
  // A cancelled Save dialog or a declined overwrite saved nothing: going on
  // would drop the text the user just asked to keep.
  if (Modified()) throw core::SilentAbort();
}

void TMainForm::FileNew(Component*) {
  ConfirmSaveChanges();
  SetDocumentName(texts::Untitled);
  SetDocumentKind(core::DocumentKind::DabiroRtf, false);
  RichEdit1.Replace();
  SelectionChange(&RichEdit1);
  DropRecoveryCopy();
}

void TMainForm::FileOpen(Component*) {
  ConfirmSaveChanges();
  if (!OpenDialog.Execute(Handle())) return;
  OpenDocument(OpenDialog.fileName, OpenDialog.readOnly);
}

BusyIndicator TMainForm::StartBusy(const std::string& doing) {
  return BusyIndicator(
      StatusBar.Handle(),
      [this] {
        ShowHint(this);
        AnswerPutOffRequests();
      },
      doing);
}

void TMainForm::OpenDocument(const std::string& name, bool readOnly) {
  const std::string fileName = FullPathOf(name);
  LoadedDocument loaded;
  {
    const std::string opening = Doing("Opening", fileName);
    BusyIndicator busy = StartBusy(opening);
    loaded = LoadDocument(RichEdit1, fileName, [&](int percent) {
      busy.Show(core::FormatWith(texts::Progress, opening, std::to_string(percent)));
    });
  }
  SelectionChange(&RichEdit1);
  SetDocumentName(WithLongName(fileName));
  SetDocumentKind(loaded.kind, !loaded.problems.empty());
  SetFocus(RichEdit1.Handle());
  RichEdit1.Send(EM_SETMODIFY, FALSE);
  SetReadOnly(RichEdit1, readOnly);
  DropRecoveryCopy();
  ShowStatus(core::FormatWith(texts::OpenedAs, core::KindName(loaded.kind)));
  ReportUnwritten(loaded.problems);
}

void TMainForm::SetDocumentKind(core::DocumentKind kind, bool holdsUnshown) {
  documentKind_ = kind;
  holdsUnshown_ = holdsUnshown;
}

void TMainForm::OpenFromCommandLine(const std::string& arguments) {
  const std::string fileName = core::DocumentOnCommandLine(arguments);
  if (!fileName.empty()) OpenDocument(fileName, false);
}

void TMainForm::FilesDropped(HDROP drop) {
  const UINT count = winui::late::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  std::string first(winui::late::DragQueryFileA(drop, 0, nullptr, 0) + 1, '\0');
  first.resize(winui::late::DragQueryFileA(drop, 0, &first[0], static_cast<UINT>(first.size())));
  winui::late::DragFinish(drop);
  if (count == 0 || first.empty()) return;
  SetForegroundWindow(Handle());
  ConfirmSaveChanges();
  OpenDocument(first, false);
  if (count > 1) {
    const std::string note = core::FormatWith(texts::FirstOfDropped, std::to_string(count));
    StatusBar.Send(SB_SETTEXTA, 255, reinterpret_cast<LPARAM>(note.c_str()));
  }
}

void TMainForm::FileSave(Component*) {
  if (documentName_ == texts::Untitled) {
    FileSaveAs(this);
    return;
  }
  // What the font could not show was opened as '?': the file still holds
  // it, and only the user may give it up.
  if (holdsUnshown_ && !AgreeToOverwrite(core::FormatWith(texts::OverwriteUnshown, documentName_)))
    throw core::SilentAbort();
  // Each document goes back in the kind it came as.
  SaveInKind(documentName_, documentKind_);
  RichEdit1.Send(EM_SETMODIFY, FALSE);
  DropRecoveryCopy();
}

void TMainForm::SaveInKind(const std::string& fileName, core::DocumentKind kind) {
  // A plain edit, without the rich edit library, has only its text to give.
  if (kind == core::DocumentKind::DabiroRtf && !RichEdit1.HasRichText())
    kind = core::DocumentKind::GlyphText;
  if (core::IsGlyphKind(kind)) {
    const BusyIndicator busy = StartBusy(Doing("Saving", fileName));
    SaveDocument(RichEdit1, fileName, kind == core::DocumentKind::GlyphText);
  } else {
    core::Unconvertibles problems;
    std::string bytes;
    {
      const BusyIndicator busy = StartBusy(Doing("Saving", fileName));
      bytes = UnicodeFileOf(RichEdit1, kind, problems);
    }
    if (!problems.empty() && !AgreeToOverwrite(PlaceholderQuestion(problems, fileName)))
      throw core::SilentAbort();
    const BusyIndicator busy = StartBusy(Doing("Saving", fileName));
    SaveBytes(fileName, bytes);
  }
  SetDocumentKind(kind, false);
  ShowStatus(core::FormatWith(texts::SavedAs, core::KindName(kind)));
}

void TMainForm::FileSaveAs(Component*) {
  SaveDialog.filterIndex = core::SaveAsFilterOf(documentKind_, SaveDialog.filterIndex);
  if (!SaveDialog.Execute(Handle())) return;
  const std::string name = core::SaveAsFileName(SaveDialog.fileName, SaveDialog.filterIndex);
  if (FileExists(name) && Ask(core::FormatWith(texts::OverwriteExisting, name)) != IDYES) return;
  SaveInKind(name, core::SaveAsKind(name, SaveDialog.filterIndex, documentKind_));
  SetDocumentName(name);
  RichEdit1.Send(EM_SETMODIFY, FALSE);
  DropRecoveryCopy();
}

// A plain edit lays out no pages and gives no RTF to lay them out from.
void TMainForm::RefuseWithoutRichText() const {
  if (!RichEdit1.HasRichText())
    throw core::Exception(winui::LoadText(IDS_PRINTING_NEEDS_RICH_EDIT));
}

void TMainForm::FilePageSetup(Component*) {
  RefuseWithoutRichText();
  PageSetupDialog.Execute(Handle());
}

void TMainForm::FilePrintPreview(Component*) {
  RefuseWithoutRichText();
  PrintDialog.Printer().TakeDefaultIfNone(Handle());
  std::unique_ptr<TPrintPreview> preview;
  {
    const std::unique_ptr<std::remove_pointer_t<HDC>, DeleteDc> printer(
        PrintDialog.CreatePrinterDC());
    const BusyIndicator busy = StartBusy(Doing("Laying out", documentName_));
    preview = std::make_unique<TPrintPreview>(
        LayOutForPrinter(RichEdit1, false, printer.get(), PageSetupDialog.Margins()),
        PaperOf(printer.get()));
  }
  const int result =
      preview->Run(Handle(), core::WindowCaption(documentName_, texts::PrintPreview));
  preview.reset();
  if (result == TPrintPreview::PrintChosen) FilePrint(this);
}

// A selection across paragraphs prints from a copy of it.
void TMainForm::FilePrint(Component*) {
  RefuseWithoutRichText();
  const bool selection = RichEdit1.SelLength() > 0 || ReadingView1.HoldsSelectionAcross();
  if (!PrintDialog.Execute(Handle(), PrintJobRunning(), selection)) return;
  const std::unique_ptr<std::remove_pointer_t<HDC>, DeleteDc> printer(
      PrintDialog.CreatePrinterDC());
  BusyIndicator busy = StartBusy(Doing("Printing", documentName_));
  const auto print = [&](const RichEditControl& control) {
    PrintRichText(
        control, printer.get(), documentName_, PrintDialog.Range(), PageSetupDialog.Margins(),
        [&](int page) { busy.Show(core::FormatWith(texts::PrintingPage, std::to_string(page))); });
  };
  if (PrintDialog.Range().kind != winui::PrintRange::Kind::Selection ||
      !ReadingView1.UseCopyOfSelection(print))
    print(RichEdit1);
}

void TMainForm::FormCloseQuery(Component*, bool& canClose) {
  // Whatever goes wrong keeps the window. A save that fails is said, as
  // everywhere else: the user must learn why the window stays (at log-off
  // above all); a cancel is said by nobody.
  try {
    ConfirmSaveChanges();
  } catch (...) {
    canClose = false;
    winui::ReportCaughtFailure();
  }
}
