// Find, Find Next and Replace: the document and the words asked for are
// compared as letters in reading order, whatever forms they take; a
// replacement takes the forms its new neighbours give it.
#include <richedit.h>

#include "EditorTexts.h"
#include "GlyphText.h"
#include "GlyphToUnicode.h"
#include "MainForm.h"
#include "MatchReplacement.h"
#include "PersianCalendar.h"
#include "TextFormat.h"

namespace {

// One line of codes: a field or a selection may end in a paragraph mark.
std::string FirstLine(std::string codes) {
  const std::size_t end = codes.find_first_of("\r\n");
  if (end != std::string::npos) codes.resize(end);
  return codes;
}

std::u32string UnicodeOf(const std::string& codes) {
  core::Unconvertibles problems;  // a code without a glyph goes as U+FFFD, which writes nothing
  return core::GlyphsToUnicode(codes, problems);
}

}  // namespace

void TMainForm::EditFind(Component*) { OpenFindDialog(TFindDialog::Kind::Find); }

void TMainForm::EditReplace(Component*) { OpenFindDialog(TFindDialog::Kind::Replace); }

TFindDialog& TMainForm::FindDialogOf(TFindDialog::Kind kind) {
  std::unique_ptr<TFindDialog>& dialog =
      kind == TFindDialog::Kind::Find ? findDialog_ : replaceDialog_;
  if (!dialog) {
    TFindDialog::Events events;
    events.findNext = [this, kind] { FindFrom(FindDialogOf(kind)); };
    events.replace = [this] { ReplaceOnce(); };
    events.replaceAll = [this] { ReplaceAll(); };
    events.persianKeyboard = [this] { return persianKeyboard_; };
    events.say = [this](const std::string& text) { ShowStatus(text); };
    dialog = std::make_unique<TFindDialog>(kind, std::move(events));
    dialog->CreateForm(Handle(), paletteFont_);
  }
  return *dialog;
}

// The selected words, when they stand on one line.
std::string TMainForm::SelectedLine() const {
  if (RichEdit1.SelLength() <= 0) return {};
  const std::string selected = CodesOf(RichEdit1, true);
  const std::string line = FirstLine(selected);
  return line.size() == selected.size() || line.size() + 2 == selected.size() ? line
                                                                              : std::string();
}

void TMainForm::OpenFindDialog(TFindDialog::Kind kind) { FindDialogOf(kind).Open(SelectedLine()); }

void TMainForm::FindFrom(const TFindDialog& dialog) {
  search_ = {FirstLine(dialog.Query()), dialog.Options()};
  FindAgain();
}

// Repeats the last search; before any, it looks for the selected words.
void TMainForm::EditFindNext(Component*) {
  if (search_.query.empty()) search_.query = SelectedLine();
  if (search_.query.empty()) return OpenFindDialog(TFindDialog::Kind::Find);
  FindAgain();
}

bool TMainForm::FindAgain() {
  const CHARRANGE range = SelectionOf(RichEdit1);
  const auto found =
      core::FindNext(CodesOf(RichEdit1), static_cast<std::size_t>(range.cpMin),
                     static_cast<std::size_t>(range.cpMax), search_.query, search_.options);
  if (!found) {
    MessageBeep(MB_OK);
    ShowStatus(texts::NotFound);
    return false;
  }
  Select(RichEdit1, static_cast<long>(found->start), static_cast<long>(found->end));
  RichEdit1.Send(EM_SCROLLCARET);
  ShowStatus(found->wrapped ? texts::FoundFromTheTop : "");
  return true;
}

bool TMainForm::SelectionMatches() const {
  const std::string selected = SelectedLine();
  return !selected.empty() && core::SearchLetters(selected, search_.options) ==
                                  core::SearchLetters(search_.query, search_.options);
}

bool TMainForm::RefusesEditing() {
  if (!RichEdit1.ReadOnly()) return false;
  MessageBeep(MB_OK);
  ShowStatus(texts::OpenedReadOnly);
  return true;
}

// The selected match gives way to the replacement, then the next is found.
void TMainForm::ReplaceOnce() {
  TFindDialog& dialog = FindDialogOf(TFindDialog::Kind::Replace);
  search_ = {FirstLine(dialog.Query()), dialog.Options()};
  if (search_.query.empty() || RefusesEditing()) return;
  if (SelectionMatches()) {
    const CHARRANGE range = SelectionOf(RichEdit1);
    const DocumentLine line = LineAt(RichEdit1, range.cpMin);
    const core::LineSelection selection{static_cast<std::size_t>(range.cpMin - line.start),
                                        static_cast<std::size_t>(range.cpMax - line.start)};
    RichEdit1.ReportSelectionChanges(false);
    ApplyLineChange(
        RichEdit1, line.start,
        core::TypeIntoLine(line.codes, selection, UnicodeOf(FirstLine(dialog.Replacement()))));
    RichEdit1.ReportSelectionChanges(true);
  }
  FindAgain();
  SelectionChange(&RichEdit1);
}

// Every match at once, in one step that Undo takes back.
void TMainForm::ReplaceAll() {
  TFindDialog& dialog = FindDialogOf(TFindDialog::Kind::Replace);
  search_ = {FirstLine(dialog.Query()), dialog.Options()};
  if (search_.query.empty() || RefusesEditing()) return;
  const std::string document = CodesOf(RichEdit1);
  const std::vector<core::Found> matches = core::FindAll(document, search_.query, search_.options);
  if (matches.empty()) {
    MessageBeep(MB_OK);
    ShowStatus(texts::NotFound);
    return;
  }
  RichEdit1.ReportSelectionChanges(false);
  ReplaceMatches(RichEdit1, document,
                 core::ReplaceEach(document, matches, UnicodeOf(FirstLine(dialog.Replacement()))));
  RichEdit1.ReportSelectionChanges(true);
  SelectionChange(&RichEdit1);
  ShowStatus(core::FormatWith(matches.size() == 1 ? texts::PlaceReplaced : texts::PlacesReplaced,
                              std::to_string(matches.size())));
}

void TMainForm::EditInsertDate(Component*) {
  if (RefusesEditing()) return;
  SYSTEMTIME today{};
  GetLocalTime(&today);
  ReadingView1.EraseSelectionAcross();
  typing_.Write(core::PersianDateText(core::SolarDateOf(today.wYear, today.wMonth, today.wDay)));
  SelectionChange(&RichEdit1);
}
