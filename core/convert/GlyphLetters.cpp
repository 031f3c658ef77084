#include "GlyphLetters.h"

#include <vector>

#include "GlyphCodeTable.inc"

namespace core {

namespace {

bool JoinsBefore(GlyphJoins joins) {
  return joins == GlyphJoins::Before || joins == GlyphJoins::Both;
}
bool JoinsAfter(GlyphJoins joins) {
  return joins == GlyphJoins::After || joins == GlyphJoins::Both;
}

// Index into the letters: Latin and signs below 0x100, the Arabic block,
// then lam-alef and the non-joiner.
constexpr std::size_t LamAlefSlot = 0x200, ZwnjSlot = 0x201, NoSlot = 0x202;
std::size_t Slot(char32_t character) {
  if (character < 0x100) return character;
  if (character >= 0x0600 && character < 0x0700) return 0x100 + (character - 0x0600);
  return character == Zwnj ? ZwnjSlot : NoSlot;
}
// The font has no glyph for the tab, but text keeps it as it is.
constexpr GlyphCell TabCell{'\t', '\t', 0, GlyphForm::Plain, GlyphJoins::None, false};

struct Tables {
  std::array<ShownGlyph, 256> shown{};
  std::array<WrittenLetter, NoSlot> letters{};
  std::array<bool, NoSlot> present{};

  Tables() {
    for (const GlyphCell& cell : GlyphCells) AddCell(cell);
    AddCell(TabCell);
    for (auto& letter : letters) FillStandIns(letter);
    for (const GlyphCell& cell : GlyphCells) CompleteShown(cell);
    CompleteShown(TabCell);
    for (const GlyphCell& cell : GlyphCells)
      if (cell.hidden) JoinAsStandIn(cell);
    for (std::size_t slot = 0; slot < 0x100; ++slot) {
      const char32_t mirror = Mirrored(static_cast<char32_t>(slot));
      if (mirror != slot && present[slot] && Slot(mirror) < 0x100 && present[Slot(mirror)])
        letters[slot].mirroredCode = letters[Slot(mirror)].codes[0];
    }
  }

  // The tatweel only stretches a join: it is written as nothing.
  static bool Written(const GlyphCell& cell) { return cell.first != 0x0640; }

  void AddCell(const GlyphCell& cell) {
    if (!Written(cell)) return;
    const std::size_t slot = cell.second ? LamAlefSlot : Slot(cell.first);
    if (slot == NoSlot || (cell.second && cell.first != Lam)) return;
    WrittenLetter& letter = letters[slot];
    present[slot] = true;
    letter.canJoinBefore |= JoinsBefore(cell.joins);
    letter.canJoinAfter |= JoinsAfter(cell.joins);
    letter.bidi = BidiClassOf(cell.first);
    if (!cell.hidden) letter.codes[static_cast<std::size_t>(cell.form)] = cell.code;
  }

  // A letter shown in a form it has no drawn code for takes the form that
  // looks nearest and joins on the same side where it matters: the medial
  // starts a word, the final stands alone, and a letter with one form
  // writes it everywhere.
  static void FillStandIns(WrittenLetter& letter) {
    auto& codes = letter.codes;
    const auto at = [&](GlyphForm form) -> std::uint8_t& {
      return codes[static_cast<std::size_t>(form)];
    };
    if (!at(GlyphForm::Initial)) at(GlyphForm::Initial) = at(GlyphForm::Medial);
    if (!at(GlyphForm::Isolated)) at(GlyphForm::Isolated) = at(GlyphForm::Final);
    if (!at(GlyphForm::Final)) at(GlyphForm::Final) = at(GlyphForm::Isolated);
    if (!at(GlyphForm::Isolated)) at(GlyphForm::Isolated) = at(GlyphForm::Plain);
    for (auto& code : codes)
      if (!code) code = at(GlyphForm::Isolated);
    at(GlyphForm::Plain) = at(GlyphForm::Isolated);
  }

  void CompleteShown(const GlyphCell& cell) {
    ShownGlyph& glyph = shown[cell.code];
    glyph.first = cell.first;
    glyph.second = cell.second;
    glyph.shownJoiningAfter = JoinsAfter(cell.joins);
    glyph.shownJoiningBefore = JoinsBefore(cell.joins);
    glyph.bidi = BidiClassOf(cell.first);
    glyph.mirrored = Mirrored(cell.first);
    const std::size_t slot = cell.second ? LamAlefSlot : Slot(cell.first);
    if (slot != NoSlot && present[slot]) {
      const WrittenLetter& letter = letters[slot];
      glyph.canJoinAfter = letter.canJoinAfter;
      glyph.canJoinBefore = letter.canJoinBefore;
      glyph.joinedBeforeOnly =
          glyph.shownJoiningBefore &&
          cell.code != letter.codes[static_cast<std::size_t>(GlyphForm::Isolated)] &&
          cell.code != letter.codes[static_cast<std::size_t>(GlyphForm::Initial)];
    }
  }

  // A hidden code joins as the code written in its place does, so that
  // the joiners read from it write that code's joins.
  void JoinAsStandIn(const GlyphCell& cell) {
    const std::size_t slot = Slot(cell.first);
    if (cell.second || slot == NoSlot || !present[slot]) return;
    const ShownGlyph& standIn = shown[letters[slot].codes[static_cast<std::size_t>(cell.form)]];
    ShownGlyph& glyph = shown[cell.code];
    glyph.shownJoiningAfter = standIn.shownJoiningAfter;
    glyph.shownJoiningBefore = standIn.shownJoiningBefore;
    glyph.joinedBeforeOnly = standIn.joinedBeforeOnly;
  }
};

const Tables& TheTables() {
  static const Tables tables;
  return tables;
}

}  // namespace

const ShownGlyph* ShownGlyphs() {
  static const ShownGlyph* const shown = TheTables().shown.data();
  return shown;
}

char32_t PersianVariant(char32_t character) {
  if (character == 0x064A) return 0x06CC;  // Arabic yeh
  if (character == 0x0643) return 0x06A9;  // Arabic kaf
  if (character >= 0x0660 && character <= 0x0669) return character - 0x0660 + 0x06F0;
  if (character == 0x066A) return '%';  // the Arabic percent sign, which the font draws as '%'
  return character;
}

const WrittenLetter* const* WrittenLetters() {
  static const std::array<const WrittenLetter*, 0x700> letters = [] {
    std::array<const WrittenLetter*, 0x700> byCharacter{};
    const Tables& tables = TheTables();
    for (char32_t character = 0; character < byCharacter.size(); ++character) {
      const std::size_t slot = Slot(PersianVariant(character));
      if (slot < LamAlefSlot && tables.present[slot])
        byCharacter[character] = &tables.letters[slot];
    }
    return byCharacter;
  }();
  return letters.data();
}

const WrittenLetter& LamAlef() { return TheTables().letters[LamAlefSlot]; }

const WrittenLetter* ExplicitZwnj() {
  const Tables& tables = TheTables();
  return tables.present[ZwnjSlot] ? &tables.letters[ZwnjSlot] : nullptr;
}

const std::uint8_t* RightToLeftCodes() {
  static const std::array<std::uint8_t, 256> codes = [] {
    std::array<std::uint8_t, 256> byCode{};
    for (std::size_t code = 0; code < byCode.size(); ++code)
      byCode[code] = static_cast<std::uint8_t>(code);
    for (const WrittenLetter& letter : TheTables().letters)
      if (letter.mirroredCode) byCode[letter.codes[0]] = letter.mirroredCode;
    return byCode;
  }();
  return codes.data();
}

}  // namespace core
