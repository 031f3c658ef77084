#include "FindDialog.h"

#include <richedit.h>

#include <algorithm>
#include <utility>

#include "GlyphText.h"
#include "UnicodeClipboard.h"

namespace {

constexpr char ClassName[] = "TFindDialog";
constexpr int ClientWidth = 372, FieldLeft = 92, FieldWidth = 180, FieldHeight = 30;
constexpr int FieldMargin = 4;
constexpr int ButtonLeft = 284, ButtonWidth = 80, ButtonHeight = 23;

enum ChildId {
  IdFindText = 10,
  IdReplaceText,
  IdWholeWord,
  IdMatchCase,
  IdFindNext,
  IdReplace,
  IdReplaceAll,
  IdCancel
};

}  // namespace

TFindDialog::TFindDialog(Kind kind, Events events)
    : Form("FindDialog"), kind_(kind), events_(std::move(events)) {}

TFindDialog::~TFindDialog() {
  if (formFont_) DeleteObject(formFont_);
}

void TFindDialog::CreateForm(HWND owner, HFONT glyphFont) {
  const bool replacing = kind_ == Kind::Replace;
  CreateDialogFrame(ClassName, replacing ? "Replace" : "Find", ClientWidth, replacing ? 136 : 104,
                    owner);
  SetEscapeCloses(true);
  formFont_ =
      CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
  FindLabel.Create("STATIC", WS_CHILD | WS_VISIBLE, 0, 8, 14, FieldLeft - 12, 16, Handle());
  FindLabel.SetText("Fi&nd what:");
  CreateField(FindText, findTyping_, 8, IdFindText, glyphFont);
  int top = 8 + FieldHeight + 6;
  if (replacing) {
    ReplaceLabel.Create("STATIC", WS_CHILD | WS_VISIBLE, 0, 8, top + 6, FieldLeft - 12, 16,
                        Handle());
    ReplaceLabel.SetText("Re&place with:");
    CreateField(ReplaceText, replaceTyping_, top, IdReplaceText, glyphFont);
    top += FieldHeight + 6;
  }
  WholeWord.Create("BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 8, top, 160,
                   18, Handle(), IdWholeWord);
  WholeWord.SetText("Match &whole word");
  MatchCase.Create("BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 8, top + 20,
                   160, 18, Handle(), IdMatchCase);
  MatchCase.SetText("Match &case");
  CreateButton(FindNextButton, "&Find Next", 8, IdFindNext, true);
  if (replacing) {
    CreateButton(ReplaceButton, "&Replace", 8 + 28, IdReplace, false);
    CreateButton(ReplaceAllButton, "Replace &All", 8 + 56, IdReplaceAll, false);
  }
  CreateButton(CancelButton, "Cancel", replacing ? 8 + 84 : 8 + 28, IdCancel, false);
  for (const winui::NativeControl* control : {&FindLabel, &ReplaceLabel, &WholeWord, &MatchCase})
    if (control->Handle()) control->Send(WM_SETFONT, reinterpret_cast<WPARAM>(formFont_));
  for (HWND control : {WholeWord.Handle(), MatchCase.Handle()}) UseDialogKeys(control);
  SetDefaultButton(FindNextButton.Handle());
}

void TFindDialog::CreateField(RichEditControl& field, std::unique_ptr<PersianTyping>& typing,
                              int top, int id, HFONT glyphFont) {
  field.Create(Handle(), FieldLeft, top, FieldWidth, FieldHeight, id, true);
  field.SetFont(glyphFont);
  // Right-aligned glyphs reach past their cell: room so that none is cut.
  RECT text{};
  GetClientRect(field.Handle(), &text);
  InflateRect(&text, -FieldMargin, 0);
  field.SetFormatRect(text);
  typing = std::make_unique<PersianTyping>(field, false, events_.say);
  PersianTyping* const typist = typing.get();
  field.SetOnKeyDown([this, typist](winui::Component*, WORD& key, UINT shift, UINT scanCode) {
    if (events_.persianKeyboard && events_.persianKeyboard() &&
        typist->KeyDown(key, shift, scanCode))
      key = 0;
  });
  field.SetDialogKeys(
      [this](UINT message, WPARAM wParam) { return TakesDialogKey(message, wParam); });
}

void TFindDialog::CreateButton(winui::NativeControl& button, const char* caption, int top, int id,
                               bool isDefault) {
  button.Create("BUTTON",
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                0, ButtonLeft, top, ButtonWidth, ButtonHeight, Handle(), id);
  button.SetText(caption);
  button.Send(WM_SETFONT, reinterpret_cast<WPARAM>(formFont_));
  UseDialogKeys(button.Handle());
}

void TFindDialog::Open(const std::string& selectedCodes) {
  if (!selectedCodes.empty()) {
    FindText.Send(EM_SETSEL, 0, -1);
    InsertCodes(FindText, selectedCodes);
  }
  FindText.Send(EM_SETSEL, 0, -1);
  if (!std::exchange(placed_, true)) PlaceOverOwner();
  if (!IsWindowVisible(Handle())) ShowWindow(Handle(), SW_SHOWNORMAL);
  SetForegroundWindow(Handle());
  SetFocus(FindText.Handle());
}

// First below the editor, where it hides none of the text; where the
// screen has no room for that, over the editor's lower left, away from
// where lines and the document begin (the right and the top). After that
// where the user leaves it.
void TFindDialog::PlaceOverOwner() {
  RECT owner{}, own{}, screen{};
  GetWindowRect(GetWindow(Handle(), GW_OWNER), &owner);
  GetWindowRect(Handle(), &own);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
  const int width = own.right - own.left, height = own.bottom - own.top;
  const int left = std::max<int>(screen.left, std::min<int>(owner.left + 24, screen.right - width));
  const int below = owner.bottom + 8;
  const int top = below + height <= screen.bottom
                      ? below
                      : std::max<int>(screen.top, std::min<int>(owner.bottom - height - 40,
                                                                screen.bottom - height));
  SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string TFindDialog::Query() const { return CodesOf(FindText); }

std::string TFindDialog::Replacement() const {
  return ReplaceText.Handle() ? CodesOf(ReplaceText) : std::string();
}

core::SearchOptions TFindDialog::Options() const {
  return {WholeWord.Send(BM_GETCHECK) == BST_CHECKED, MatchCase.Send(BM_GETCHECK) == BST_CHECKED};
}

void TFindDialog::OnCommand(WORD id) {
  switch (id) {
    case IdFindNext:
      if (events_.findNext) events_.findNext();
      break;
    case IdReplace:
      if (events_.replace) events_.replace();
      break;
    case IdReplaceAll:
      if (events_.replaceAll) events_.replaceAll();
      break;
    case IdCancel:
      ShowWindow(Handle(), SW_HIDE);
      break;
  }
}

// A field's own menu: its clipboard, Unicode text from other programs too.
void TFindDialog::ShowFieldMenu(RichEditControl& field, LPARAM at) {
  POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  if (at == -1) {
    GetCaretPos(&point);
    ClientToScreen(field.Handle(), &point);
  }
  enum { Cut = 1, Copy, Paste, PasteUnicode };
  HMENU menu = CreatePopupMenu();
  for (const auto& [id, caption] : {std::pair<UINT, const char*>{Cut, "Cu&t"},
                                    {Copy, "&Copy"},
                                    {Paste, "&Paste"},
                                    {PasteUnicode, "Paste Unico&de"}})
    AppendMenuA(menu, MF_STRING, id, caption);
  const UINT chosen =
      static_cast<UINT>(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                       point.x, point.y, 0, Handle(), nullptr));
  DestroyMenu(menu);
  switch (chosen) {
    case Cut:
      field.Send(WM_CUT);
      break;
    case Copy:
      field.Send(WM_COPY);
      break;
    case Paste:
      field.Send(WM_PASTE);
      break;
    case PasteUnicode:
      PasteUnicodeInto(Handle(), field, true);
      break;
  }
}

LRESULT TFindDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CONTEXTMENU) {
    for (RichEditControl* field : {&FindText, &ReplaceText})
      if (field->Handle() && reinterpret_cast<HWND>(wParam) == field->Handle())
        RunHandler([&](winui::Component*) { ShowFieldMenu(*field, lParam); });
    return 0;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    RunHandler([&](winui::Component*) { OnCommand(LOWORD(wParam)); });
    return 0;
  }
  return Form::HandleMessage(message, wParam, lParam);
}
