#pragma once
#include <windows.h>

#include <string>

#include "Component.h"

namespace winui {

// The system's open or save dialog as a component that keeps its state
// (file name, filter index, read-only box) from one use to the next.
class FileDialog : public Component {
 public:
  enum class Kind { Open, Save };

  FileDialog(std::string name, Kind kind, std::string filter)
      : Component(std::move(name)), filter(std::move(filter)), kind_(kind) {}

  std::string filter;  // "Description|*.ext|..."
  std::string initialDir;
  std::string fileName;
  int filterIndex = 1;
  bool readOnly = false;

  // Shows the dialog; false when the user cancels. A dialog the system
  // refuses throws.
  bool Execute(HWND owner);

 private:
  Kind kind_;
};

}  // namespace winui
