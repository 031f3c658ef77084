#pragma once
#include <vector>

namespace core {

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

inline bool operator==(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

// What the message dialog's layout depends on, all in pixels.
struct DialogMetrics {
  int baseX = 0;      // width of "A".."Z" "a".."z" divided by 52
  int baseY = 0;      // height of that string
  int textWidth = 0;  // the message as measured, wrapped
  int textHeight = 0;
  bool hasIcon = false;
  int buttonCount = 0;
  int screenWidth = 0;
  int screenHeight = 0;
  int frameWidth = 0;  // window size minus client size
  int frameHeight = 0;
};

struct DialogLayout {
  int clientWidth = 0;
  int clientHeight = 0;
  int left = 0;  // window position on the screen
  int top = 0;
  Rect icon;  // empty without an icon
  Rect message;
  std::vector<Rect> buttons;  // in the order given
};

// a * b / c rounded half away from zero, with a 64-bit product; -1 when c
// is 0 or the result does not fit, as the system's own MulDiv does.
int MulDivRounded(int a, int b, int c);

// The width the message is wrapped at.
int TextWidthLimit(int screenWidth);

DialogLayout LayoutDialog(const DialogMetrics& metrics);

}  // namespace core
