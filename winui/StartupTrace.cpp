#include "StartupTrace.h"

namespace winui {

namespace {
StartupTraceSink sink = nullptr;
}  // namespace

void SetStartupTraceSink(StartupTraceSink newSink) { sink = newSink; }

void TraceStartup(const char* step) {
  if (sink) sink(step, false);
}

void EndStartupTrace(const char* step) {
  if (!sink) return;
  const StartupTraceSink last = sink;
  sink = nullptr;
  last(step, true);
}

}  // namespace winui
