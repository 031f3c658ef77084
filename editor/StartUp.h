#pragma once

// What the editor sets up before its main window is created: a library
// search without the current folder, the common controls it uses, the
// application window and its title. The program,
// its tests and its benchmarks start alike.
void StartApplication();
