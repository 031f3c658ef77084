#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "Application.h"
#include "ControlIds.h"
#include "Hint.h"
#include "MainForm.h"

namespace {

using Handler = void (TMainForm::*)(Component*);

// One row of a menu: an item (or a separator when caption is null).
struct MenuRow {
  winui::MenuItem* item;
  const char* caption;
  const char* hint;
  Handler handler;
};

}  // namespace

void TMainForm::CreateMenus() {
  MainMenu = CreateMenu();
  UINT nextId = FirstMenuItemId;
  auto addMenu = [&](const char* caption, std::initializer_list<MenuRow> rows) {
    HMENU menu = CreatePopupMenu();
    for (const MenuRow& row : rows) {
      if (!row.caption) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        continue;
      }
      const Handler handler = row.handler;
      row.item->Append(menu, nextId, row.caption, row.hint,
                       [this, handler](Component* sender) { (this->*handler)(sender); });
      menuItems_[nextId++] = row.item;
    }
    AppendMenuA(MainMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), caption);
  };
  const MenuRow separator{nullptr, nullptr, nullptr, nullptr};
  addMenu("&File",
          {{&FileNewItem, "&New\tCtrl+N", "Create a new file", &TMainForm::FileNew},
           {&FileOpenItem, "&Open...\tCtrl+O", "Open an existing file", &TMainForm::FileOpen},
           {&FileSaveItem, "&Save\tCtrl+S", "Save current file", &TMainForm::FileSave},
           {&FileSaveAsItem, "Save &As...", "Save current file under a new name",
            &TMainForm::FileSaveAs},
           {&FilePageSetupItem, "Page Set&up...",
            "Choose the paper, its orientation and the margins", &TMainForm::FilePageSetup},
           {&FilePrintPreviewItem, "Print Pre&view", "Show the pages as they will print",
            &TMainForm::FilePrintPreview},
           separator,
           {&FilePrintItem, "&Print\tCtrl+P", "Print current file", &TMainForm::FilePrint},
           separator,
           {&FileExitItem, "E&xit", "Exit this application", &TMainForm::FileExit}});
  addMenu(
      "&Edit",
      {{&EditUndoItem, "&Undo\tCtrl+Z", "Undo the last action", &TMainForm::EditUndo},
       separator,
       {&EditCutItem, "Cu&t\tCtrl+X", "Delete selected item", &TMainForm::EditCut},
       {&EditCopyItem, "&Copy\tCtrl+C", "Copy selected item to clipboard", &TMainForm::EditCopy},
       {&EditPasteItem, "&Paste\tCtrl+V", "Paste contents of clipboard", &TMainForm::EditPaste},
       {&EditCopyUnicodeItem, "Copy as Un&icode",
        "Copy the selection, or the whole text, as Unicode Persian", &TMainForm::EditCopyUnicode},
       {&EditPasteUnicodeItem, "Paste Unico&de", "Paste Unicode Persian from the clipboard",
        &TMainForm::EditPasteUnicode},
       separator,
       {&Selectall1, "&Select all\tCtrl+A", "", &TMainForm::Selectall1Click},
       separator,
       {&EditFindItem, "Fi&nd...\tCtrl+F", "Find a word, whatever forms its letters take",
        &TMainForm::EditFind},
       {&EditFindNextItem, "Find Ne&xt\tF3", "Find the next place of the last word found",
        &TMainForm::EditFindNext},
       {&EditReplaceItem, "R&eplace...\tCtrl+H", "Replace a word by another",
        &TMainForm::EditReplace},
       {&EditInsertDateItem, "Insert D&ate", "Write today's date in the Persian calendar",
        &TMainForm::EditInsertDate},
       separator,
       {&miEditFont, "&Font...", "", &TMainForm::SelectFont}});
  addMenu("Copy_all", {{&Copyall2, "Copy_all", "", &TMainForm::Copyall2Click}});
  addMenu("&Keyboard", {{&KeyboardPersianItem, "&Persian",
                         "Type Persian on the standard Persian layout (Alt+Shift switches)",
                         &TMainForm::KeyboardPersian},
                        {&KeyboardLatinItem, "&Latin",
                         "Type what the system's keyboard layout gives (Alt+Shift switches)",
                         &TMainForm::KeyboardLatin}});
  addMenu("&Help",
          {{&HelpAboutItem, "&About...", "Show program information", &TMainForm::HelpAbout}});
  CheckMenuRadioItem(MainMenu, KeyboardPersianItem.Id(), KeyboardLatinItem.Id(),
                     KeyboardLatinItem.Id(), MF_BYCOMMAND);
  CreateShortcuts();
}

// The text's own menu, at the pointer or, from the keyboard, at the caret.
void TMainForm::ShowTextMenu(LPARAM at) {
  POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  if (at == -1) {
    GetCaretPos(&point);
    ClientToScreen(RichEdit1.Handle(), &point);
  }
  HMENU menu = CreatePopupMenu();
  for (const auto& [item, caption] :
       {std::pair<winui::MenuItem*, const char*>{&EditCutItem, "Cu&t"},
        {&EditCopyItem, "&Copy"},
        {&EditPasteItem, "&Paste"},
        {&EditCopyUnicodeItem, "Copy as Un&icode"},
        {&EditPasteUnicodeItem, "Paste Unico&de"},
        {nullptr, nullptr},
        {&miEditFont, "&Font..."}})
    AppendMenuA(menu, item ? MF_STRING : MF_SEPARATOR, item ? item->Id() : 0, caption);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, Handle(), nullptr);
  DestroyMenu(menu);
}

namespace {

// A key with Ctrl, or alone.
struct Shortcut {
  bool control;
  WORD key;
};

}  // namespace

// The menus' keys, and those of the toolbar's formatting buttons, which
// have no menu item: they run as the buttons' clicks.
void TMainForm::CreateShortcuts() {
  const std::pair<Shortcut, winui::MenuItem*> items[] = {
      {{true, 'N'}, &FileNewItem},         {{true, 'O'}, &FileOpenItem},
      {{true, 'S'}, &FileSaveItem},        {{true, 'P'}, &FilePrintItem},
      {{true, 'Z'}, &EditUndoItem},        {{true, 'X'}, &EditCutItem},
      {{true, 'C'}, &EditCopyItem},        {{true, 'V'}, &EditPasteItem},
      {{true, 'A'}, &Selectall1},          {{true, 'F'}, &EditFindItem},
      {{false, VK_F3}, &EditFindNextItem}, {{true, 'H'}, &EditReplaceItem}};
  std::vector<ACCEL> table;
  for (const auto& [shortcut, item] : items)
    table.push_back({static_cast<BYTE>(FVIRTKEY | (shortcut.control ? FCONTROL : 0)), shortcut.key,
                     static_cast<WORD>(item->Id())});
  for (const auto& [key, button] : ButtonShortcuts())
    table.push_back({FVIRTKEY | FCONTROL, key, static_cast<WORD>(ButtonShortcutId(button))});
  shortcuts_ = CreateAcceleratorTableA(table.data(), static_cast<int>(table.size()));
}

const std::vector<std::pair<WORD, winui::SpeedButton*>>& TMainForm::ButtonShortcuts() {
  if (buttonShortcuts_.empty())
    buttonShortcuts_ = {{'B', &BoldButton}, {'I', &ItalicButton}, {'U', &UnderlineButton},
                        {'L', &LeftAlign},  {'E', &CenterAlign},  {'R', &RightAlign}};
  return buttonShortcuts_;
}

UINT TMainForm::ButtonShortcutId(const winui::SpeedButton* button) const {
  UINT id = FirstButtonShortcutId;
  for (const auto& [key, each] : buttonShortcuts_) {
    if (each == button) return id;
    ++id;
  }
  return 0;
}

// A style button goes down or up, as a click does; an alignment button
// goes down, and a second press leaves it so.
bool TMainForm::RunButtonShortcut(UINT id) {
  if (id < FirstButtonShortcutId || id >= FirstButtonShortcutId + buttonShortcuts_.size())
    return false;
  winui::SpeedButton& button = *buttonShortcuts_[id - FirstButtonShortcutId].second;
  const bool alignment = &button == &LeftAlign || &button == &CenterAlign || &button == &RightAlign;
  if (!alignment || !button.Down()) button.Click();
  return true;
}

// Clipboard and undo keys in the toolbar's text fields stay theirs.
bool TMainForm::TranslatesShortcut(const MSG& msg) {
  if (!shortcuts_ || (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)) return false;
  if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) return false;
  const bool field = msg.hwnd != RichEdit1.Handle() &&
                     (IsChild(FontName.Handle(), msg.hwnd) || msg.hwnd == FontName.Handle() ||
                      msg.hwnd == FontSize.Handle());
  if (field && std::string("ZXCVA").find(static_cast<char>(msg.wParam)) != std::string::npos)
    return false;
  return TranslateAcceleratorA(Handle(), shortcuts_, const_cast<MSG*>(&msg)) != 0;
}

winui::MenuItem* TMainForm::FindMenuItem(UINT id) {
  const auto it = menuItems_.find(id);
  return it == menuItems_.end() ? nullptr : it->second;
}

void TMainForm::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
  const UINT flags = HIWORD(wParam);
  std::string hint;
  const bool closed = flags == 0xFFFF && lParam == 0;
  if (!closed && !(flags & (MF_POPUP | MF_SEPARATOR))) {
    if (winui::MenuItem* item = FindMenuItem(LOWORD(wParam))) hint = core::LongHint(item->Hint());
  }
  winui::Application::Instance().SetHint(hint);
}
