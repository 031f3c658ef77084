#include "NativeControl.h"

#include "Exceptions.h"

namespace winui {

NativeControl::~NativeControl() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void NativeControl::Create(const char* className, DWORD style, DWORD exStyle, int left, int top,
                           int width, int height, HWND parent, int id) {
  hwnd_ = CreateWindowExA(exStyle, className, "", style, left, top, width, height, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          GetModuleHandleA(nullptr), nullptr);
  if (!hwnd_) throw core::Exception(std::string("Kann Steuerelement nicht erzeugen: ") + className);
}

std::string NativeControl::Text() const {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd_)) + 1, '\0');
  text.resize(
      static_cast<size_t>(GetWindowTextA(hwnd_, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace winui
