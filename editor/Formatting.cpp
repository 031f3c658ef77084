// Character and paragraph formatting between the toolbar and the text.
// The toolbar follows the selection; its handlers write into the text.
// While the toolbar is being set, the change events that this raises
// (writing FontSize's text runs FontSizeChange) must write nothing back.
#include <string>

#include "FlagScope.h"
#include "IntegerText.h"
#include "MainForm.h"

namespace {

StyleSet StyleOf(const LOGFONTA& font) {
  return (font.lfWeight >= FW_BOLD ? StyleBold : 0) | (font.lfItalic ? StyleItalic : 0) |
         (font.lfUnderline ? StyleUnderline : 0) | (font.lfStrikeOut ? StyleStrikeOut : 0);
}

void SetStyleOf(LOGFONTA& font, StyleSet style) {
  font.lfWeight = style & StyleBold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = (style & StyleItalic) != 0;
  font.lfUnderline = (style & StyleUnderline) != 0;
  font.lfStrikeOut = (style & StyleStrikeOut) != 0;
}

BYTE PitchBits(Pitch pitch) {
  switch (pitch) {
    case Pitch::Fixed:
      return FIXED_PITCH;
    case Pitch::Variable:
      return VARIABLE_PITCH;
    default:
      return DEFAULT_PITCH;
  }
}

// The text of the combo box's selected list item, or empty when none is.
std::string SelectedItemText(const winui::NativeControl& combo) {
  const LRESULT index = combo.Send(CB_GETCURSEL);
  if (index == CB_ERR) return {};
  const LRESULT length = combo.Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
  if (length == CB_ERR) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const LRESULT copied =
      combo.Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
  return text;
}

}  // namespace

const TextAttributes& TMainForm::ActiveTextAttributes() {
  const bool selection = RichEdit1.SelLength() > 0 || ReadingView1.HoldsSelectionAcross();
  return selection ? RichEdit1.SelAttributes() : RichEdit1.DefAttributes();
}

void TMainForm::SelectionChange(Component*) {
  FlagScope updating(updating_);
  ShowSelectionFormat();
}

// Every value is its own read: nothing is cached between messages. A value
// that has not changed is not written again, which keeps a palette press
// (one selection change each) cheap.
void TMainForm::ShowSelectionFormat() {
  const TextAttributes& selection = RichEdit1.SelAttributes();
  BoldButton.SetDown(selection.Style() & StyleBold);
  ItalicButton.SetDown(selection.Style() & StyleItalic);
  UnderlineButton.SetDown(selection.Style() & StyleUnderline);
  BulletsButton.SetDown(RichEdit1.Paragraph().Numbering() != NumberingNone);
  FontSize.ShowText(std::to_string(selection.Size()));
  FontName.ShowText(selection.FaceName());
  ShowAlignment(RichEdit1.Paragraph().Alignment());
}

// The alignment buttons' tags are the alignment values; a value that is
// none of them leaves the buttons as they are.
void TMainForm::ShowAlignment(int alignment) {
  for (winui::SpeedButton* button : {&LeftAlign, &CenterAlign, &RightAlign})
    if (button->Tag() == alignment) button->SetDown(true);
}

void TMainForm::StyleButtonClick(const winui::SpeedButton& button, StyleSet style) {
  if (updating_) return;
  const TextAttributes& target = ActiveTextAttributes();
  const StyleSet current = target.Style();
  target.SetStyle(button.Down() ? current | style : current & ~style);
}

void TMainForm::BoldButtonClick(Component*) { StyleButtonClick(BoldButton, StyleBold); }

void TMainForm::ItalicButtonClick(Component*) { StyleButtonClick(ItalicButton, StyleItalic); }

void TMainForm::UnderlineButtonClick(Component*) {
  StyleButtonClick(UnderlineButton, StyleUnderline);
}

// A text that is no integer (the empty one too) raises the conversion
// error before anything is written; the text stays in the field.
void TMainForm::FontSizeChange(Component*) {
  if (updating_) return;
  const int points = core::ParseInteger(FontSize.Text());
  ActiveTextAttributes().SetSize(points);
}

// Always the selected list item, never what is typed in the field.
void TMainForm::FontNameChange(Component*) {
  if (updating_) return;
  ActiveTextAttributes().SetFaceName(SelectedItemText(FontName));
}

// Written even when the click has just raised the button.
void TMainForm::AlignButtonClick(Component* sender) {
  if (updating_) return;
  RichEdit1.Paragraph().SetAlignment(sender->Tag());
}

void TMainForm::BulletsButtonClick(Component*) {
  if (updating_) return;
  RichEdit1.Paragraph().SetNumbering(BulletsButton.Down() ? NumberingBullet : NumberingNone);
}

void TMainForm::SelectFont(Component*) {
  LoadFontDialog();
  if (FontDialog1.Execute(Handle())) ApplyFontDialog(ActiveTextAttributes());
  SetFocus(RichEdit1.Handle());
}

// The dialog starts from the selection's format, even with nothing selected.
void TMainForm::LoadFontDialog() {
  const TextAttributes& selection = RichEdit1.SelAttributes();
  LOGFONTA& font = FontDialog1.font;
  FontDialog1.colour = selection.Colour().CurrentRgb();
  const std::string face = selection.FaceName();
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  font.lfFaceName[face.size()] = '\0';
  SetStyleOf(font, selection.Style());
  FontDialog1.SetPointSize(selection.Size());
  const BYTE pitch = PitchBits(selection.GetPitch());
  font.lfPitchAndFamily = static_cast<BYTE>((font.lfPitchAndFamily & ~3) | pitch);
}

// Colour, face, style and size, each its own write; the pitch stays.
void TMainForm::ApplyFontDialog(const TextAttributes& target) const {
  const LOGFONTA& font = FontDialog1.font;
  target.SetColour({false, FontDialog1.colour});
  target.SetFaceName(std::string(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE)));
  target.SetStyle(StyleOf(font));
  target.SetSize(FontDialog1.PointSize());
}
