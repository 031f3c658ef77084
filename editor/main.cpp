#include <windows.h>
#include <commctrl.h>

#include "Application.h"
#include "MainForm.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  auto& application = winui::Application::Instance();
  application.Initialize();
  application.SetTitle("Dabiro");
  TMainForm form;
  form.CreateForm();
  form.Show();
  application.Run();
  return 0;
}
