#include "PrintPreview.h"

#include <algorithm>

namespace {

constexpr char ClassName[] = "DabiroPrintPreview";
constexpr int BarHeight = 32;
constexpr int ButtonHeight = 24;
constexpr int ButtonGap = 4;

struct BarButton {
  int command;
  const char* caption;
  int width;
};

constexpr BarButton BarButtons[] = {{TPrintPreview::Print, "&Print...", 72},
                                    {TPrintPreview::NextPage, "&Next Page", 80},
                                    {TPrintPreview::PreviousPage, "Pre&v Page", 80},
                                    {TPrintPreview::PagesToggle, "&Two Pages", 80},
                                    {TPrintPreview::ZoomIn, "Zoom &In", 72},
                                    {TPrintPreview::ZoomOut, "Zoom &Out", 72},
                                    {TPrintPreview::Close, "&Close", 72}};

// Most of the screen, as a document window would take it.
RECT PreviewBounds() {
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int width = (work.right - work.left) * 9 / 10, height = (work.bottom - work.top) * 9 / 10;
  return RECT{0, 0, width, height};
}

}  // namespace

TPrintPreview::TPrintPreview(std::unique_ptr<RichTextPages> pages, const core::PaperGeometry& paper)
    : Form("PrintPreview"), pages_(std::move(pages)), view_(*pages_, paper) {}

int TPrintPreview::Run(HWND owner, const std::string& caption) {
  RegisterClassFor(ClassName, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  const RECT bounds = PreviewBounds();
  Create(ClassName, caption.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 0,
         0, bounds.right, bounds.bottom, owner);
  SetEscapeCloses(true);
  CreateBar();
  view_.Create(Handle());
  PlaceView();
  ShowPages();
  return ShowModal();
}

void TPrintPreview::CreateBar() {
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  int left = ButtonGap;
  for (const BarButton& button : BarButtons) {
    HWND hwnd = CreateWindowExA(
        0, "BUTTON", button.caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, left,
        (BarHeight - ButtonHeight) / 2, button.width, ButtonHeight, Handle(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.command)), GetModuleHandleA(nullptr),
        nullptr);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    UseDialogKeys(hwnd);
    buttons_.push_back(hwnd);
    left += button.width + ButtonGap;
  }
}

HWND TPrintPreview::Button(int command) const {
  return command >= Print && command <= Close ? buttons_[static_cast<std::size_t>(command - Print)]
                                              : nullptr;
}

void TPrintPreview::PlaceView() {
  RECT client{};
  GetClientRect(Handle(), &client);
  MoveWindow(view_.Handle(), 0, BarHeight, client.right,
             std::max<LONG>(0, client.bottom - BarHeight), TRUE);
}

// The buttons say what can be done from here: no Next Page on the last
// pages, no Prev Page on the first, the other number of pages to show.
void TPrintPreview::ShowPages() {
  const int count = pages_->Count();
  firstPage_ = std::clamp(firstPage_, 0, std::max(0, count - 1));
  EnableWindow(Button(NextPage), firstPage_ + pagesShown_ < count);
  EnableWindow(Button(PreviousPage), firstPage_ > 0);
  EnableWindow(Button(ZoomIn), zoomStep_ + 1 < core::ZoomStepCount);
  EnableWindow(Button(ZoomOut), zoomStep_ > 0);
  SetWindowTextA(Button(PagesToggle), pagesShown_ == 1 ? "&Two Pages" : "&One Page");
  // A disabled button cannot keep the focus: Escape and the keys still need one.
  const HWND focus = GetFocus();
  if (focus && IsChild(Handle(), focus) && !IsWindowEnabled(focus)) SetFocus(Button(Close));
  view_.Show(firstPage_, pagesShown_, core::ZoomSteps[zoomStep_]);
}

void TPrintPreview::RunCommand(int command) {
  switch (command) {
    case Print:
      SetModalResult(PrintChosen);
      return;
    case Close:
      SetModalResult(IDCANCEL);
      return;
    case NextPage:
      firstPage_ += pagesShown_;
      break;
    case PreviousPage:
      firstPage_ = std::max(0, firstPage_ - pagesShown_);
      break;
    case PagesToggle:
      pagesShown_ = 3 - pagesShown_;
      break;
    case ZoomIn:
      zoomStep_ = std::min(zoomStep_ + 1, core::ZoomStepCount - 1);
      break;
    case ZoomOut:
      zoomStep_ = std::max(zoomStep_ - 1, 0);
      break;
    default:
      return;
  }
  ShowPages();
}

LRESULT TPrintPreview::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) RunCommand(LOWORD(wParam));
      return 0;
    case WM_SIZE:
      if (view_.Handle()) PlaceView();
      return 0;
  }
  return Form::HandleMessage(message, wParam, lParam);
}
