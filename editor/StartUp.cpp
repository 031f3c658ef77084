#include "StartUp.h"

#include <windows.h>
#include <commctrl.h>

#include "Application.h"
#include "StartupTrace.h"
#include "SystemLibraries.h"

void StartApplication() {
  winui::KeepLibrarySearchInSystemFolder();
  // Status bar, up-down and tooltips are in every version of the library,
  // also the first of Windows 95, which lacks InitCommonControlsEx.
  InitCommonControls();
  winui::TraceStartup("common controls");
  winui::Application::Instance().SetTitle("Dabiro");
}
