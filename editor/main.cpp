#include <windows.h>

#include "Application.h"
#include "ErrorDisplay.h"
#include "MainForm.h"
#include "StartUp.h"
#include "StartupTrace.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
  // A failure before or outside the message loop has no handler to show it:
  // it is shown here, and the program ends with a non-zero status.
  return winui::Guarded(
      [arguments] {
        StartApplication();
        TMainForm form;
        form.CreateForm();
        form.Show();
        // A document that cannot be opened is said, and the editor stays.
        winui::Guarded(
            [&] {
              form.OpenFromCommandLine(arguments);
              return true;
            },
            false);
        winui::TraceStartup("command line");
        // Last: a restored document takes the place of one just opened.
        winui::Guarded(
            [&] {
              form.OfferRecovery();
              return true;
            },
            false);
        winui::TraceStartup("recovery offer");
        winui::Application::Instance().Run();
        return 0;
      },
      1);
}
