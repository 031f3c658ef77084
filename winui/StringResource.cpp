#include "StringResource.h"

namespace winui {

std::string LoadText(UINT id) {
  char text[512] = {};
  LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
  return text;
}

}  // namespace winui
