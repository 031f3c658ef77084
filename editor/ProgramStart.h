#pragma once
#include <string>

// Starts the program a command line names, found as Windows finds it but
// never in the current folder, nor relative to it: a full path as it
// stands (with ".exe" when it has no extension of its own), a bare name in
// the system folder, the Windows folder and along PATH. WinExec and
// CreateProcess look in the current folder first, and Explorer starts the
// editor in the folder of the document it opens: a program of that name
// there would run as the user. False when nothing could be started.
bool StartProgram(const std::string& commandLine, int show);
