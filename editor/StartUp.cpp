#include "StartUp.h"

#include <windows.h>
#include <commctrl.h>

#include "Application.h"

void StartApplication() {
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  auto& application = winui::Application::Instance();
  application.Initialize();
  application.SetTitle("Dabiro");
}
