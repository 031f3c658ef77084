#pragma once
#include <windows.h>

#include <string>

namespace winui {

// Libraries loaded at run time come from the system folder only. On 95,
// 98, ME and NT 4.0 a bare name is looked for in the current folder first,
// and Explorer starts a program in the folder of the document it opens: a
// library of that name beside a document would run as the user.

// Takes the current folder (and every other) out of the search for
// libraries loaded by name, where the system offers it (SetDllDirectoryA
// from XP SP1, SetDefaultDllDirectories from 7 with its update); older
// systems have neither, and there the full paths below are what counts.
void KeepLibrarySearchInSystemFolder();

// The library of that name in the system folder, loaded by its full path
// without an "insert disk" box; null when it cannot be loaded.
HMODULE LoadSystemLibrary(const std::string& name);

// The slot through which the program calls that function of a library of
// the system folder, bound at the first call: the library is loaded then,
// and stays. It holds null when the library or the function is missing.
// The slot stays where it is for the program's life; a library is named
// with the same spelling each time.
void** LateBoundSlot(const char* dll, const char* function);

}  // namespace winui
