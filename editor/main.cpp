#include <windows.h>

#include "Application.h"
#include "MainForm.h"
#include "StartUp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  StartApplication();
  TMainForm form;
  form.CreateForm();
  form.Show();
  winui::Application::Instance().Run();
  return 0;
}
