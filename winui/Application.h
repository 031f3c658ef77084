#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace winui {

// The process-wide application: its hidden window carries the title and
// owns the dialogs and the clipboard; it owns the hint and runs the message
// loop.
class Application {
 public:
  static Application& Instance();

  // The hidden window, made at the first call: a normal start needs none,
  // and under Wine each top-level window costs a window of the display's.
  HWND Handle();

  void SetTitle(const std::string& title);
  std::string Title() const;  // as the application window's caption reads

  // The application hint; a change runs the hint notification.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  void SetOnHint(std::function<void()> onHint) { onHint_ = std::move(onHint); }

  // Hints of windows, looked up for the control under the mouse when idle.
  void SetWindowHint(HWND hwnd, const std::string& hint);
  std::string WindowHint(HWND hwnd) const;
  // What a window says of a point of its client area (a button it draws),
  // asked before the window's own hint.
  using HintSource = std::function<std::string(POINT clientPoint)>;
  void SetHintSource(HWND hwnd, HintSource source) { hintSources_[hwnd] = std::move(source); }

  // Tab moves the focus between the tab stops of these windows, except out
  // of controls that take Tab themselves.
  void AddTabRoot(HWND root) { tabRoots_.push_back(root); }

  // Sees each key message before it is translated and dispatched; a filter
  // that answers true takes the message.
  void SetKeyFilter(std::function<bool(const MSG&)> filter) { keyFilter_ = std::move(filter); }

  // Runs until a quit message arrives.
  void Run();
  // Dispatches until the queue is empty. A quit message taken here is not
  // dispatched: it marks the application as terminating.
  void ProcessMessages();
  bool Terminated() const { return terminated_; }
  // Hands one message to its window as the loop does (Tab included).
  void Dispatch(const MSG& msg);
  // Idle processing: the hint follows the control under the mouse.
  void Idle();

 private:
  Application() = default;
  bool ProcessOneMessage();
  bool HandledAsTabKey(const MSG& msg);
  std::string HintUnderMouse() const;
  std::string SourceHint(HWND hwnd, POINT screenPoint) const;

  HWND hwnd_ = nullptr;
  std::string title_;
  std::string hint_;
  std::function<void()> onHint_;
  std::function<bool(const MSG&)> keyFilter_;
  std::map<HWND, std::string> windowHints_;
  std::map<HWND, HintSource> hintSources_;
  std::vector<HWND> tabRoots_;
  bool terminated_ = false;
};

}  // namespace winui
