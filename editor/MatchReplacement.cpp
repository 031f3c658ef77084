#include "MatchReplacement.h"

#include <windows.h>
#include <richedit.h>
#include <richole.h>

#include "DocumentLines.h"
#include "GlyphText.h"
#include "RichEditControl.h"

namespace {

// A selection's formats, as fully as the control keeps them (the
// structures of rich edit 2.0 where it is built on it); dwMask tells the
// parts that are the same throughout.
struct Formats {
  CHARFORMAT2A characters{};
  PARAFORMAT2 paragraphs{};
};

Formats FormatsOfSelection(const RichEditControl& control) {
  Formats formats;
  formats.characters.cbSize = control.StoresUnicode() ? sizeof(CHARFORMAT2A) : sizeof(CHARFORMATA);
  formats.paragraphs.cbSize = control.StoresUnicode() ? sizeof(PARAFORMAT2) : sizeof(PARAFORMAT);
  control.Send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&formats.characters));
  control.Send(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&formats.paragraphs));
  return formats;
}

// Pictures and other objects are no codes: a document that holds one is
// never written anew.
bool HoldsObjects(const RichEditControl& control) {
  IRichEditOle* ole = nullptr;
  if (!control.Send(EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole)) || !ole) return false;
  const LONG count = ole->GetObjectCount();
  ole->Release();
  return count > 0;
}

// Lines whose matches are replaced, from the end of the document back.
struct Replaced {
  const core::LineReplacement* lines;
  std::size_t count;
  const core::LineReplacement& First() const { return lines[count - 1]; }
  const core::LineReplacement& Last() const { return lines[0]; }
  std::size_t Start() const { return First().lineStart + First().whole.start; }
  std::size_t End() const { return Last().lineStart + Last().whole.end; }
};

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

// Formatted alike: every part of the formats that one character tells is
// the same throughout the selection.
bool Alike(const Formats& selection, const Formats& single) {
  return selection.characters.dwMask == single.characters.dwMask &&
         selection.paragraphs.dwMask == single.paragraphs.dwMask;
}

// The copy the changes go to, and the formats of one character of it.
class ChangedCopy {
 public:
  ChangedCopy(const RichEditControl& control, const std::string& document, const Formats& single)
      : control_(control), document_(document), single_(single) {}

  // A selection is slow to set in Wine's control, so the lines change at
  // once where they are formatted alike.
  void Apply(Replaced replaced) const {
    Select(control_, static_cast<long>(replaced.Start()), static_cast<long>(replaced.End()));
    if (Alike(FormatsOfSelection(control_), single_))
      return InsertCodes(control_, JoinedChanges(document_, replaced));
    ApplyDivided(replaced);
  }

  // Each half of the lines, the later one first, as it leaves the places
  // before it; a line alone by its steps, each replacement then taking the
  // formats of the place it replaces.
  void ApplyDivided(Replaced replaced) const {
    const std::size_t half = replaced.count / 2;
    if (half > 0) {
      Apply({replaced.lines, half});
      return Apply({replaced.lines + half, replaced.count - half});
    }
    const core::LineReplacement& line = replaced.First();
    for (const core::LineChange& step : line.steps) {
      Select(control_, static_cast<long>(line.lineStart + step.start),
             static_cast<long>(line.lineStart + step.end));
      InsertCodes(control_, step.codes);
    }
  }

 private:
  const RichEditControl& control_;
  const std::string& document_;
  Formats single_;
};

void PlaceCaret(const RichEditControl& control, Replaced replaced) {
  const long caret =
      static_cast<long>(replaced.First().lineStart + replaced.First().steps.back().caret);
  Select(control, caret, caret);
}

}  // namespace

void ReplaceMatches(RichEditControl& control, const std::string& document,
                    const std::vector<core::LineReplacement>& lines) {
  if (lines.empty()) return;
  const Replaced replaced{lines.data(), lines.size()};
  const CHARRANGE selection = SelectionOf(control);
  Select(control, 0, 1);
  const Formats single = FormatsOfSelection(control);
  Select(control, 0, -1);
  Formats whole = FormatsOfSelection(control);
  Select(control, selection.cpMin, selection.cpMax);  // as Undo brings it back
  // A plain edit (no rich edit library) has one format.
  if (!control.HasRichText() || (Alike(whole, single) && !HoldsObjects(control))) {
    control.WriteInNew([&](const RichEditControl& copy) {
      InsertCodes(copy, document.substr(0, replaced.Start()) + JoinedChanges(document, replaced) +
                            document.substr(replaced.End()));
      Select(copy, 0, -1);
      copy.Send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&whole.characters));
      copy.Send(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&whole.paragraphs));
      PlaceCaret(copy, replaced);
    });
    return;
  }
  control.EditInCopy([&](const RichEditControl& copy) {
    ChangedCopy(copy, document, single).ApplyDivided(replaced);
    PlaceCaret(copy, replaced);
  });
}
