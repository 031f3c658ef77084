#pragma once

// What the editor sets up before its main window is created: the common
// controls it uses, the application window and its title. The program,
// its tests and its benchmarks start alike.
void StartApplication();
