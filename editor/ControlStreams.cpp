#include "ControlStreams.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

#include "CallbackShield.h"
#include "RichEditControl.h"

namespace {

// What the control hands over, gathered.
struct Sink {
  std::string bytes;
  core::CallbackShield shield;
};

DWORD CALLBACK Gather(DWORD_PTR cookie, LPBYTE bytes, LONG count, LONG* done) {
  auto& sink = *reinterpret_cast<Sink*>(cookie);
  *done = 0;
  return sink.shield.Run(
      [&] {
        sink.bytes.append(reinterpret_cast<char*>(bytes), static_cast<size_t>(count));
        *done = count;
        return DWORD{0};
      },
      DWORD{1});
}

// What the control asks for, handed out from the front of the rest.
struct Rest {
  const char* bytes;
  size_t left;
};

DWORD CALLBACK HandOut(DWORD_PTR cookie, LPBYTE bytes, LONG count, LONG* done) {
  auto& rest = *reinterpret_cast<Rest*>(cookie);
  const size_t now = std::min(rest.left, static_cast<size_t>(count));
  std::memcpy(bytes, rest.bytes, now);
  rest.bytes += now;
  rest.left -= now;
  *done = static_cast<LONG>(now);
  return 0;
}

}  // namespace

std::string StreamOut(const RichEditControl& control, WPARAM format) {
  Sink sink;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&sink), 0, Gather};
  control.Send(EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&stream));
  sink.shield.Rethrow();
  return std::move(sink.bytes);
}

void StreamIn(const RichEditControl& control, WPARAM format, const std::string& bytes) {
  Rest rest{bytes.data(), bytes.size()};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&rest), 0, HandOut};
  control.Send(EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
}
