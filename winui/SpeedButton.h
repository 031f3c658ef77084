#pragma once
#include <functional>
#include <string>
#include <vector>

#include "Component.h"
#include "PressTracker.h"

namespace winui {

class ButtonPanel;
class SpeedButton;
using SpeedButtonGroup = std::vector<SpeedButton*>;

// A toolbar button drawn by its panel, without a window of its own: each
// window costs the start-up round trips to the window system when it is
// made and again when it is first drawn. It never takes the focus. Buttons
// with a group number other than 0 are state buttons: a click toggles them
// before the handler runs, a button going down raises the others of its
// group, and a state change made by the program runs no handler.
class SpeedButton : public Component {
 public:
  static constexpr int Size = 25;

  SpeedButton(std::string name, int tag = 0) : Component(std::move(name), tag) {}

  void Create(ButtonPanel& panel, int left, int top, int groupIndex, SpeedButtonGroup* group);
  // Bitmap resources of the program, 0 for none. The disabled picture is
  // loaded when it is first drawn: buttons are seldom disabled, and each
  // picture loaded at start costs the start.
  void SetPictures(int pictureId, int disabledPictureId);
  void SetOnClick(std::function<void(Component*)> onClick) { onClick_ = std::move(onClick); }
  // Shown in the status line (and its short part in the tooltip) while the
  // mouse rests on the button.
  void SetHint(const std::string& hint) { hint_ = hint; }
  const std::string& Hint() const { return hint_; }

  // The panel's window, and where the button is in its client area.
  HWND PanelHandle() const;
  const RECT& Bounds() const { return bounds_; }

  int GroupIndex() const { return groupIndex_; }
  bool Down() const { return down_; }
  void SetDown(bool down);  // runs no handler
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);  // a disabled button takes no press
  void Click();                   // as the user's click does

 private:
  friend class ButtonPanel;
  void Press();
  void FollowPress(LPARAM point);
  bool ReleasePress(LPARAM point);
  void EndPress(UINT message);
  void Paint(HDC dc);
  void DrawLatchedFace(HDC dc);
  void DrawPicture(HDC dc, int offset);
  HBITMAP CurrentPicture();
  void Repaint();

  ButtonPanel* panel_ = nullptr;
  RECT bounds_{};
  int groupIndex_ = 0;
  SpeedButtonGroup* group_ = nullptr;
  HBITMAP picture_ = nullptr;
  HBITMAP disabledPicture_ = nullptr;
  int disabledPictureId_ = 0;
  bool down_ = false;
  bool enabled_ = true;
  std::string hint_;
  PressTracker press_;
  std::function<void(Component*)> onClick_;
};

}  // namespace winui
