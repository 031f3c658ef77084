#pragma once
// Marks between the steps of start-up, for a build that times them. The
// program itself installs no sink: a mark is then one test of a pointer.

namespace winui {

// last: the start is over; the sink is removed after this call.
using StartupTraceSink = void (*)(const char* step, bool last);

void SetStartupTraceSink(StartupTraceSink sink);

// step names what has just been done: the time since the previous mark.
void TraceStartup(const char* step);

// The first idle moment of the message loop: the window is ready.
void EndStartupTrace(const char* step);

}  // namespace winui
