#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "Component.h"

namespace winui {

// One menu item with its hint and click handler. Items are numbered by the
// window that builds the menu; WM_COMMAND and WM_MENUSELECT find them by
// that number.
class MenuItem : public Component {
 public:
  using Component::Component;

  UINT Id() const { return id_; }
  const std::string& Hint() const { return hint_; }
  void Append(HMENU menu, UINT id, const std::string& caption, const std::string& hint,
              std::function<void(Component*)> onClick);
  void AppendSeparator(HMENU menu);
  void AppendSubmenu(HMENU menu, HMENU submenu, const std::string& caption);
  void Click() {
    if (onClick_) onClick_(this);
  }

 private:
  UINT id_ = 0;
  std::string hint_;
  std::function<void(Component*)> onClick_;
};

}  // namespace winui
