#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "DocumentLines.h"
#include "LineTyping.h"

class RichEditControl;

// Persian typing into one text control: each key of the Persian standard
// layout gives the character at its position, and the converter chooses
// its form and its neighbours' forms, as from-unicode writes the text;
// Backspace and Delete take back in reading order, Enter (where the text
// has lines) opens a new line below the caret's.
class PersianTyping {
 public:
  // say: a text for the status line, for a key that wrote nothing.
  PersianTyping(const RichEditControl& control, bool lines,
                std::function<void(const std::string&)> say)
      : control_(control), lines_(lines), say_(std::move(say)) {}

  // Takes the key (true) when it is one of Persian typing's. Ctrl and Alt
  // keys are never taken: they keep their commands. The selection moves
  // about meanwhile unreported: the caller brings what follows it up to
  // date.
  bool KeyDown(WORD key, UINT shift, UINT scanCode);
  // Writes Persian text at the caret, in place of the selection, as typing
  // its characters would.
  void Write(std::u32string_view text);

 private:
  void Step(const std::function<void()>& step);
  // False when the selection goes over a line break.
  bool LineOfSelection(DocumentLine& line, core::LineSelection& selection) const;
  void Type(char32_t character);
  void Erase(bool before);
  // The break between two lines taken out: they read on as one.
  void JoinLines(const DocumentLine& first, const DocumentLine& second);
  void NewLineBelow();

  // A tatweel or ZWJ typed where it has nothing to join yet, as at a
  // word's start: the letter typed next at the same place takes it.
  struct HeldJoiner {
    char32_t character = 0;
    DocumentLine line;
    core::LineSelection selection;
    bool HeldAt(const DocumentLine& at, core::LineSelection now) const {
      return character && at.start == line.start && at.codes == line.codes &&
             now.from == selection.from && now.to == selection.to;
    }
  };

  const RichEditControl& control_;
  bool lines_;
  std::function<void(const std::string&)> say_;
  HeldJoiner held_;
};
