#include "ControlStreams.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "CallbackShield.h"
#include "Exceptions.h"
#include "StringIds.h"
#include "StringResource.h"

namespace {

constexpr LONG PlainBlock = 16 * 1024;
constexpr DWORD PlainError = 1;  // as the control reports a failure

std::string PlainText(HWND edit) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(edit, &text[0], static_cast<int>(text.size()))));
  return text;
}

// What a stream works on: the selection, or the whole text.
std::pair<size_t, size_t> RangeOf(HWND edit, bool selectionOnly) {
  if (!selectionOnly) return {0, static_cast<size_t>(GetWindowTextLengthA(edit))};
  DWORD start = 0, end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

// Everything the callback hands over, until it hands over nothing.
void StreamIntoPlainEdit(HWND edit, bool selectionOnly, EDITSTREAM& stream) {
  std::string text;
  char block[PlainBlock];
  for (LONG done = 1; done > 0;) {
    done = 0;
    stream.dwError =
        stream.pfnCallback(stream.dwCookie, reinterpret_cast<LPBYTE>(block), PlainBlock, &done);
    if (stream.dwError != 0) return;
    text.append(block, static_cast<size_t>(std::max<LONG>(done, 0)));
  }
  const auto [start, end] = RangeOf(edit, selectionOnly);
  const size_t expected =
      static_cast<size_t>(GetWindowTextLengthA(edit)) - (end - start) + text.size();
  if (selectionOnly)
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  else
    SetWindowTextA(edit, text.c_str());
  // An edit of 95, 98 and ME holds no more than 64 KB: what does not fit is an error.
  if (static_cast<size_t>(GetWindowTextLengthA(edit)) != expected) stream.dwError = PlainError;
}

void StreamOutOfPlainEdit(HWND edit, bool selectionOnly, EDITSTREAM& stream) {
  const auto [start, end] = RangeOf(edit, selectionOnly);
  std::string text = PlainText(edit);
  text = text.substr(std::min(start, text.size()), end - start);
  for (size_t at = 0; at < text.size();) {
    LONG done = 0;
    const LONG size = static_cast<LONG>(std::min<size_t>(PlainBlock, text.size() - at));
    stream.dwError =
        stream.pfnCallback(stream.dwCookie, reinterpret_cast<LPBYTE>(&text[at]), size, &done);
    if (stream.dwError != 0 || done <= 0) return;
    at += static_cast<size_t>(done);
  }
}

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
  const size_t now = PieceSize(rest.bytes, rest.left, static_cast<size_t>(count));
  std::memcpy(bytes, rest.bytes, now);
  rest.bytes += now;
  rest.left -= now;
  *done = static_cast<LONG>(now);
  return 0;
}

void FailOnError(const EDITSTREAM& stream) {
  if (stream.dwError != 0) throw core::Exception(winui::LoadText(IDS_STREAM_FAILED));
}

}  // namespace

size_t PieceSize(const char* bytes, size_t left, size_t wanted) {
  if (wanted >= left) return left;
  const char* end = bytes + wanted;
  const bool splitsBytes = end[-1] == '\r' && end[0] == '\n';
  const bool splitsUtf16 = wanted >= 2 && left - wanted >= 2 && end[-2] == '\r' &&
                           end[-1] == '\0' && end[0] == '\n' && end[1] == '\0';
  // Two back, so that UTF-16 stays whole.
  return (splitsBytes || splitsUtf16) && wanted > 2 ? wanted - 2 : wanted;
}

void Stream(ControlStorage control, UINT message, WPARAM format, EDITSTREAM& stream) {
  if (control.HasRichText()) {
    control.Send(message, format, reinterpret_cast<LPARAM>(&stream));
  } else if (format & SF_RTF) {
    stream.dwError = PlainError;
  } else if (message == EM_STREAMIN) {
    StreamIntoPlainEdit(control.window, format & SFF_SELECTION, stream);
  } else {
    StreamOutOfPlainEdit(control.window, format & SFF_SELECTION, stream);
  }
}

std::string StreamOut(ControlStorage control, WPARAM format) {
  Sink sink;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&sink), 0, Gather};
  Stream(control, EM_STREAMOUT, format, stream);
  sink.shield.Rethrow();
  FailOnError(stream);
  return std::move(sink.bytes);
}

void StreamIn(ControlStorage control, WPARAM format, const std::string& bytes) {
  Rest rest{bytes.data(), bytes.size()};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&rest), 0, HandOut};
  Stream(control, EM_STREAMIN, format, stream);
  FailOnError(stream);
}
