// Find, Find Next and Replace: the document and the words asked for are
// compared as letters in reading order, whatever forms they take; a
// replacement takes the forms its new neighbours give it.
#include <richedit.h>

#include "GlyphText.h"
#include "GlyphToUnicode.h"
#include "MainForm.h"
#include "PersianCalendar.h"

namespace {

// One line of codes: a field or a selection may end in a paragraph mark.
std::string FirstLine(std::string codes) {
  const std::size_t end = codes.find_first_of("\r\n");
  if (end != std::string::npos) codes.resize(end);
  return codes;
}

// The selection's formats, and whether it has one character format and
// one paragraph format throughout.
struct Formats {
  CHARFORMATA characters{};
  PARAFORMAT paragraphs{};
  bool alike = false;
};

Formats SelectionFormats(const RichEditControl& control) {
  constexpr DWORD characterParts = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED |
                                   CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_OFFSET | CFM_CHARSET;
  constexpr DWORD paragraphParts = PFM_ALIGNMENT | PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET |
                                   PFM_NUMBERING | PFM_TABSTOPS;
  Formats formats;
  formats.characters.cbSize = sizeof formats.characters;
  control.Send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&formats.characters));
  formats.paragraphs.cbSize = sizeof formats.paragraphs;
  control.Send(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&formats.paragraphs));
  // A plain edit (no rich edit library) has one format.
  formats.alike = !control.HasRichText() || ((formats.characters.dwMask & characterParts) == characterParts &&
                                              (formats.paragraphs.dwMask & paragraphParts) == paragraphParts);
  return formats;
}

// Lines whose matches are replaced, from the end of the document back.
struct Replaced {
  const core::LineReplacement* lines;
  std::size_t count;
};

// Selects what the lines' changes span; true when it is formatted alike.
bool SelectAlike(const RichEditControl& control, Replaced replaced) {
  const core::LineReplacement& first = replaced.lines[replaced.count - 1];
  const core::LineReplacement& last = replaced.lines[0];
  Select(control, static_cast<long>(first.lineStart + first.whole.start),
         static_cast<long>(last.lineStart + last.whole.end));
  return SelectionFormats(control).alike;
}

// The new text of what the lines' changes span.
std::string JoinedChanges(const std::string& document, Replaced replaced) {
  std::string joined;
  for (std::size_t index = replaced.count; index-- > 0;) {
    const core::LineReplacement& line = replaced.lines[index];
    if (index + 1 < replaced.count) {
      const core::LineReplacement& above = replaced.lines[index + 1];
      const std::size_t from = above.lineStart + above.whole.end;
      joined.append(document, from, line.lineStart + line.whole.start - from);
    }
    joined += line.whole.codes;
  }
  return joined;
}

// The whole document with the lines' changes made.
std::string ChangedDocument(const std::string& document, Replaced replaced) {
  const core::LineReplacement& first = replaced.lines[replaced.count - 1];
  const core::LineReplacement& last = replaced.lines[0];
  return document.substr(0, first.lineStart + first.whole.start) + JoinedChanges(document, replaced) +
         document.substr(last.lineStart + last.whole.end);
}

void ApplyDivided(const RichEditControl& control, const std::string& document, Replaced replaced);

// A selection is slow to set in Wine's control, so the lines change at once
// where they are formatted alike.
void ApplyReplacements(const RichEditControl& control, const std::string& document, Replaced replaced) {
  if (SelectAlike(control, replaced)) return InsertCodes(control, JoinedChanges(document, replaced));
  ApplyDivided(control, document, replaced);
}

// Each half of the lines, the later one first, as it leaves the places
// before it; a line alone by its steps, each replacement then taking the
// formats of the place it replaces.
void ApplyDivided(const RichEditControl& control, const std::string& document, Replaced replaced) {
  const std::size_t half = replaced.count / 2;
  if (half > 0) {
    ApplyReplacements(control, document, {replaced.lines, half});
    return ApplyReplacements(control, document, {replaced.lines + half, replaced.count - half});
  }
  const core::LineReplacement& line = *replaced.lines;
  for (const core::LineChange& step : line.steps) {
    Select(control, static_cast<long>(line.lineStart + step.start), static_cast<long>(line.lineStart + step.end));
    InsertCodes(control, step.codes);
  }
}

// The caret after the first replacement.
void PlaceCaret(const RichEditControl& control, Replaced replaced) {
  const core::LineReplacement& first = replaced.lines[replaced.count - 1];
  const long caret = static_cast<long>(first.lineStart + first.steps.back().caret);
  Select(control, caret, caret);
}

std::u32string UnicodeOf(const std::string& codes) {
  core::Unconvertibles problems;  // a code without a glyph goes as U+FFFD, which writes nothing
  return core::GlyphsToUnicode(codes, problems);
}

}  // namespace

void TMainForm::EditFind(Component*) { OpenFindDialog(TFindDialog::Kind::Find); }

void TMainForm::EditReplace(Component*) { OpenFindDialog(TFindDialog::Kind::Replace); }

TFindDialog& TMainForm::FindDialogOf(TFindDialog::Kind kind) {
  std::unique_ptr<TFindDialog>& dialog = kind == TFindDialog::Kind::Find ? findDialog_ : replaceDialog_;
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
  return line.size() == selected.size() || line.size() + 2 == selected.size() ? line : std::string();
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
  const auto found = core::FindNext(CodesOf(RichEdit1), static_cast<std::size_t>(range.cpMin),
                                    static_cast<std::size_t>(range.cpMax), search_.query, search_.options);
  if (!found) {
    MessageBeep(MB_OK);
    ShowStatus("Not found");
    return false;
  }
  Select(RichEdit1, static_cast<long>(found->start), static_cast<long>(found->end));
  RichEdit1.Send(EM_SCROLLCARET);
  ShowStatus(found->wrapped ? "Not found further down: found from the top" : "");
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
  ShowStatus("The document was opened read-only");
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
    ApplyLineChange(RichEdit1, line.start,
                    core::TypeIntoLine(line.codes, selection, UnicodeOf(FirstLine(dialog.Replacement()))));
    RichEdit1.ReportSelectionChanges(true);
  }
  FindAgain();
  SelectionChange(&RichEdit1);
}

// Every match at once, in one step that Undo takes back: the document
// changed is a new one that takes its place. Where the document is
// formatted alike, it is written anew, with the same formats, which is
// quicker than copying it and changing it.
void TMainForm::ReplaceAll() {
  TFindDialog& dialog = FindDialogOf(TFindDialog::Kind::Replace);
  search_ = {FirstLine(dialog.Query()), dialog.Options()};
  if (search_.query.empty() || RefusesEditing()) return;
  const std::string document = CodesOf(RichEdit1);
  const std::vector<core::Found> matches = core::FindAll(document, search_.query, search_.options);
  if (matches.empty()) {
    MessageBeep(MB_OK);
    ShowStatus("Not found");
    return;
  }
  const auto lines = core::ReplaceEach(document, matches, UnicodeOf(FirstLine(dialog.Replacement())));
  const Replaced replaced{lines.data(), lines.size()};
  RichEdit1.ReportSelectionChanges(false);
  const CHARRANGE selection = SelectionOf(RichEdit1);
  Select(RichEdit1, 0, -1);
  Formats formats = SelectionFormats(RichEdit1);
  Select(RichEdit1, selection.cpMin, selection.cpMax);  // as Undo brings it back
  if (formats.alike) {
    RichEdit1.WriteInNew([&](const RichEditControl& copy) {
      InsertCodes(copy, ChangedDocument(document, replaced));
      Select(copy, 0, -1);
      copy.Send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&formats.characters));
      copy.Send(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&formats.paragraphs));
      PlaceCaret(copy, replaced);
    });
  } else {
    RichEdit1.EditInCopy([&](const RichEditControl& copy) {
      ApplyDivided(copy, document, replaced);
      PlaceCaret(copy, replaced);
    });
  }
  RichEdit1.ReportSelectionChanges(true);
  SelectionChange(&RichEdit1);
  ShowStatus(std::to_string(matches.size()) + (matches.size() == 1 ? " place replaced" : " places replaced"));
}

void TMainForm::EditInsertDate(Component*) {
  if (RefusesEditing()) return;
  SYSTEMTIME today{};
  GetLocalTime(&today);
  typing_.Write(core::PersianDateText(core::SolarDateOf(today.wYear, today.wMonth, today.wDay)));
  SelectionChange(&RichEdit1);
}
