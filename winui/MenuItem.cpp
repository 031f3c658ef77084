#include "MenuItem.h"

namespace winui {

void MenuItem::Append(HMENU menu, UINT id, const std::string& caption, const std::string& hint,
                      std::function<void(Component*)> onClick) {
  id_ = id;
  hint_ = hint;
  onClick_ = std::move(onClick);
  AppendMenuA(menu, MF_STRING, id, caption.c_str());
}

void MenuItem::AppendSeparator(HMENU menu) { AppendMenuA(menu, MF_SEPARATOR, 0, nullptr); }

void MenuItem::AppendSubmenu(HMENU menu, HMENU submenu, const std::string& caption) {
  AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), caption.c_str());
}

}  // namespace winui
