#include <windows.h>
#include <commctrl.h>

#include "ControlIds.h"
#include "MainForm.h"
#include "MainFormLayout.h"
#include "StartupTrace.h"
#include "art/ArtIds.h"

namespace {

using Handler = void (TMainForm::*)(Component*);

struct ButtonRow {
  winui::SpeedButton* button;
  int left;
  const char* hint;
  int group;
  Handler handler;
  int picture;
  int disabledPicture;  // 0: none
};

constexpr int FontFieldHeight = 21;  // as the item height 15 makes the field
constexpr int FontListItems = 8;

// The font field's height with its list dropped: eight whole items of the
// font below the field, the list's border and the gap above it. The list keeps
// this height instead of fitting whole items itself, which under Wine moved
// the list's own desktop window several times while the field took its font.
int FontFieldDroppedHeight(HFONT font) {
  HDC screen = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(screen, font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen, &metrics);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return FontFieldHeight + FontListItems * metrics.tmHeight + 4 * GetSystemMetrics(SM_CYBORDER);
}

}  // namespace

void TMainForm::CreateToolbar() {
  SpeedBar.Create(Handle(), 0, 0, main_form_layout::ClientWidth, main_form_layout::ToolbarHeight,
                  true);
  winui::TraceStartup("toolbar panel");
  CreateToolbarButtons();

  FontName.Create(WC_COMBOBOXA,
                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_SORT |
                      CBS_AUTOHSCROLL | CBS_NOINTEGRALHEIGHT,
                  0, 194, 6, 131, FontFieldDroppedHeight(formFont_), SpeedBar.Handle(), IdFontName);
  FontName.Send(WM_SETFONT, reinterpret_cast<WPARAM>(formFont_));
  FontName.Send(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 15);

  FontSize.Create(WC_EDITA, WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                  328, 6, 31, 21, SpeedBar.Handle(), IdFontSize);
  FontSize.Send(WM_SETFONT, reinterpret_cast<WPARAM>(formFont_));
  UpDown1.Create(
      UPDOWN_CLASSA,
      WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0,
      359, 6, 15, 21, SpeedBar.Handle(), IdUpDown);
  UpDown1.Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(FontSize.Handle()));
  // Pin both to their places: the buddy alignment overlaps the field's border.
  MoveWindow(FontSize.Handle(), 328, 6, 31, 21, FALSE);
  MoveWindow(UpDown1.Handle(), 359, 6, 15, 21, FALSE);
  UpDown1.Send(UDM_SETRANGE32, 0, 100);
  UpDown1.Send(UDM_SETPOS32, 0, 0);
  FontSize.SetText("0");
  winui::TraceStartup("font and size fields");
}

void TMainForm::CreateToolbarButtons() {
  const ButtonRow rows[] = {
      {&OpenButton, 8, "Open|", 0, &TMainForm::FileOpen, IDB_OPEN, IDB_OPEN_DISABLED},
      {&SaveButton, 33, "Save|", 0, &TMainForm::FileSave, IDB_SAVE, IDB_SAVE_DISABLED},
      {&PrintButton, 58, "Print|", 0, &TMainForm::FilePrint, IDB_PRINT, IDB_PRINT_DISABLED},
      {&UndoButton, 89, "Undo|", 0, &TMainForm::EditUndo, IDB_UNDO, IDB_UNDO_DISABLED},
      {&CutButton, 114, "Cut|", 0, &TMainForm::EditCut, IDB_CUT, IDB_CUT_DISABLED},
      {&CopyButton, 139, "Copy|", 0, &TMainForm::EditCopy, IDB_COPY, IDB_COPY_DISABLED},
      {&PasteButton, 164, "Paste|", 0, &TMainForm::EditPaste, IDB_PASTE, IDB_PASTE_DISABLED},
      {&BoldButton, 380, "Bold", 1, &TMainForm::BoldButtonClick, IDB_BOLD, 0},
      {&ItalicButton, 406, "Italic", 4, &TMainForm::ItalicButtonClick, IDB_ITALIC, 0},
      {&UnderlineButton, 432, "Underline", 5, &TMainForm::UnderlineButtonClick, IDB_UNDERLINE, 0},
      {&LeftAlign, 464, "Align Left", 2, &TMainForm::AlignButtonClick, IDB_ALIGNLEFT, 0},
      {&CenterAlign, 490, "Center", 2, &TMainForm::AlignButtonClick, IDB_ALIGNCENTER, 0},
      {&RightAlign, 516, "Align Right", 2, &TMainForm::AlignButtonClick, IDB_ALIGNRIGHT, 0},
      {&BulletsButton, 547, "Bullets", 3, &TMainForm::BulletsButtonClick, IDB_BULLETS, 0},
  };
  for (const ButtonRow& row : rows) {
    row.button->Create(SpeedBar, row.left, 5, row.group, &buttonGroups_);
    const Handler handler = row.handler;
    row.button->SetOnClick([this, handler](Component* sender) { (this->*handler)(sender); });
    row.button->SetHint(row.hint);
  }
  winui::TraceStartup("toolbar buttons");
  for (const ButtonRow& row : rows) row.button->SetPictures(row.picture, row.disabledPicture);
  winui::TraceStartup("toolbar pictures");
}
