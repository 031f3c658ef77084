#include "DocumentStreams.h"

#include <windows.h>
#include <richedit.h>

#include <vector>

#include "Exceptions.h"
#include "FileReplacement.h"
#include "LineBreakConverter.h"
#include "RichEditControl.h"
#include "RtfReaderLimits.h"
#include "TextFormat.h"

namespace {

constexpr char CannotOpen[] = "Kann Datei %s nicht \xF6" "ffnen";
constexpr char CannotCreate[] = "Kann Datei %s nicht erstellen";
constexpr char LoadFailed[] = "Das Laden des Streams ist mi\xDFlungen";
constexpr char SaveFailed[] = "Das Speichern des Streams ist mi\xDFlungen";

// What the read callback returns when the file cannot be read, and the
// write callback when it cannot be written: the control then reports an
// error.
constexpr DWORD ReadError = 1;
constexpr DWORD WriteError = 2;

class ReadableFile {
 public:
  explicit ReadableFile(const std::string& name)
      : handle_(CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~ReadableFile() {
    if (Opened()) CloseHandle(handle_);
  }
  ReadableFile(const ReadableFile&) = delete;
  ReadableFile& operator=(const ReadableFile&) = delete;
  bool Opened() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Handle() const { return handle_; }

 private:
  HANDLE handle_;
};

// One pass of the file through the read callback. Read as RTF, the bytes
// pass the reader's limits before the control sees them.
struct FileReader {
  HANDLE file;
  core::LineBreakConverter converter;
  std::vector<char> chunk;
  bool ended = false;
  core::RtfReaderLimits* limits = nullptr;
};

// Reads at most what still fits after the conversion, which at most doubles
// the bytes. A read may convert to nothing (only NULs, or a CR held back
// until the next byte shows whether an LF follows): reading goes on until
// there is text or the file has ended, since handing back nothing ends the
// input.
DWORD CALLBACK ReadCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  auto& reader = *reinterpret_cast<FileReader*>(cookie);
  char* out = reinterpret_cast<char*>(buffer);
  *done = 0;
  const std::size_t room = core::LineBreakConverter::MaxInput(static_cast<std::size_t>(size));
  if (room == 0) return reader.ended ? 0 : ReadError;
  reader.chunk.resize(room);
  while (*done == 0 && !reader.ended) {
    DWORD read = 0;
    if (!ReadFile(reader.file, reader.chunk.data(), static_cast<DWORD>(room), &read, nullptr))
      return ReadError;
    reader.ended = read == 0;
    const std::size_t written = reader.ended ? reader.converter.Finish(out)
                                             : reader.converter.Convert(reader.chunk.data(), read, out);
    *done = static_cast<LONG>(written);
  }
  if (reader.limits && !reader.limits->Admit(out, static_cast<std::size_t>(*done))) {
    // The control goes on reading whatever comes back with an error.
    *done = 0;
    return ReadError;
  }
  return 0;
}

// Streams the whole file into the control from its start; true when the
// control took it in this format.
//
// RTF beyond what the control's reader survives ends that pass with an
// error, so the file loads as plain text: the user sees every byte of it
// and can still mend it, where a refusal would show nothing at all.
bool StreamIn(const RichEditControl& control, HANDLE file, UINT format) {
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  core::RtfReaderLimits limits;
  FileReader reader{file, {}, {}, false, format == SF_RTF ? &limits : nullptr};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&reader), 0, ReadCallback};
  control.Send(EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
  return stream.dwError == 0;
}

DWORD CALLBACK WriteCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  auto& file = *reinterpret_cast<FileReplacement*>(cookie);
  const bool written = file.Write(buffer, static_cast<size_t>(size));
  *done = written ? size : 0;
  return written ? 0 : WriteError;
}

}  // namespace

void LoadDocument(const RichEditControl& control, const std::string& fileName) {
  const ReadableFile file(fileName);
  if (!file.Opened()) throw core::Exception(core::FormatWith(CannotOpen, fileName));
  if (StreamIn(control, file.Handle(), SF_RTF)) return;
  if (!StreamIn(control, file.Handle(), SF_TEXT)) throw core::Exception(LoadFailed);
}

void SaveDocument(const RichEditControl& control, const std::string& fileName, bool plainText) {
  FileReplacement file(fileName);
  if (!file.Opened()) throw core::Exception(core::FormatWith(CannotCreate, fileName));
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&file), 0, WriteCallback};
  control.Send(EM_STREAMOUT, plainText ? SF_TEXT : SF_RTF, reinterpret_cast<LPARAM>(&stream));
  if (stream.dwError != 0 || !file.Flush()) throw core::Exception(SaveFailed);
  if (!file.Commit()) throw core::Exception(core::FormatWith(CannotCreate, fileName));
}
