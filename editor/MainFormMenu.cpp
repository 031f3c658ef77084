#include <windows.h>
#include <commctrl.h>

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
  addMenu("&File", {{&FileNewItem, "&New", "Create a new file", &TMainForm::FileNew},
                    {&FileOpenItem, "&Open...", "Open an existing file", &TMainForm::FileOpen},
                    {&FileSaveItem, "&Save", "Save current file", &TMainForm::FileSave},
                    {&FileSaveAsItem, "Save &As...", "Save current file under a new name",
                     &TMainForm::FileSaveAs},
                    separator,
                    {&FilePrintItem, "&Print", "Print current file", &TMainForm::FilePrint},
                    separator,
                    {&FileExitItem, "E&xit", "Exit this application", &TMainForm::FileExit}});
  addMenu("&Edit", {{&EditUndoItem, "&Undo", "Undo the last action", &TMainForm::EditUndo},
                    separator,
                    {&EditCutItem, "Cu&t", "Delete selected item", &TMainForm::EditCut},
                    {&EditCopyItem, "&Copy", "Copy selected item to clipboard", &TMainForm::EditCopy},
                    {&EditPasteItem, "&Paste", "Paste contents of clipboard", &TMainForm::EditPaste},
                    {&EditCopyUnicodeItem, "Copy as &Unicode",
                     "Copy the selection, or the whole text, as Unicode Persian", &TMainForm::EditCopyUnicode},
                    {&EditPasteUnicodeItem, "Paste U&nicode", "Paste Unicode Persian from the clipboard",
                     &TMainForm::EditPasteUnicode},
                    separator,
                    {&Selectall1, "&Select all", "", &TMainForm::Selectall1Click},
                    separator,
                    {&miEditFont, "&Font...", "", &TMainForm::SelectFont}});
  addMenu("Copy_all", {{&Copyall2, "Copy_all", "", &TMainForm::Copyall2Click}});
  addMenu("&Keyboard", {{&KeyboardPersianItem, "&Persian",
                         "Type Persian on the standard Persian layout (Alt+Shift switches)",
                         &TMainForm::KeyboardPersian},
                        {&KeyboardLatinItem, "&Latin",
                         "Type what the system's keyboard layout gives (Alt+Shift switches)",
                         &TMainForm::KeyboardLatin}});
  addMenu("&Help", {{&HelpAboutItem, "&About...", "Show program information", &TMainForm::HelpAbout}});
  CheckMenuRadioItem(MainMenu, KeyboardPersianItem.Id(), KeyboardLatinItem.Id(), KeyboardLatinItem.Id(),
                     MF_BYCOMMAND);
  SetMenu(Handle(), MainMenu);
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
