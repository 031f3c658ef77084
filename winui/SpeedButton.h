#pragma once
#include <functional>
#include <vector>

#include "PressTracker.h"
#include "Window.h"

namespace winui {

class SpeedButton;
using SpeedButtonGroup = std::vector<SpeedButton*>;

// A drawn toolbar button that never takes the focus. Buttons with a group
// number other than 0 are state buttons: a click toggles them before the
// handler runs, a button going down raises the others of its group, and a
// state change made by the program runs no handler.
class SpeedButton : public Window {
 public:
  static constexpr int Size = 25;

  SpeedButton(std::string name, int tag = 0) : Window(std::move(name), tag) {}

  void Create(HWND parent, int left, int top, int groupIndex, SpeedButtonGroup* group);
  // Bitmap resources of the program, 0 for none. The disabled picture is
  // loaded when it is first drawn: buttons are seldom disabled, and each
  // picture loaded at start costs the start.
  void SetPictures(int pictureId, int disabledPictureId);
  void SetOnClick(std::function<void(Component*)> onClick) { onClick_ = std::move(onClick); }

  int GroupIndex() const { return groupIndex_; }
  bool Down() const { return down_; }
  void SetDown(bool down);  // runs no handler
  void Click();             // as the user's click does

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Repaint();
  void Paint(HDC dc);
  void DrawPicture(HDC dc, int offset);
  HBITMAP CurrentPicture();

  int groupIndex_ = 0;
  SpeedButtonGroup* group_ = nullptr;
  HBITMAP picture_ = nullptr;
  HBITMAP disabledPicture_ = nullptr;
  int disabledPictureId_ = 0;
  bool down_ = false;
  PressTracker press_;
  std::function<void(Component*)> onClick_;
};

}  // namespace winui
