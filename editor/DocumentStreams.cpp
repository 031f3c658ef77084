#include "DocumentStreams.h"

#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "CallbackShield.h"
#include "ControlStreams.h"
#include "Exceptions.h"
#include "FileReplacement.h"
#include "GlyphFontMarker.h"
#include "GlyphFont.h"
#include "GlyphStorage.h"
#include "GlyphText.h"
#include "LineBreakConverter.h"
#include "RichEditControl.h"
#include "RtfReaderLimits.h"
#include "StringIds.h"
#include "StringResource.h"
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

constexpr DWORD ReadBlock = 16 * 1024;

// One pass of the file through the read callback: its line breaks made
// CR LF; as RTF, the glyph font marked as a symbol font and the bytes kept
// within the reader's limits; as plain text for a control that keeps UTF-16,
// the codes as the symbol font's characters.
// The share of the file read so far, told when it grows.
class ReadShare {
 public:
  ReadShare(HANDLE file, const LoadProgress& progress) : progress_(progress) {
    DWORD high = 0;
    const DWORD low = GetFileSize(file, &high);
    if (low != INVALID_FILE_SIZE || GetLastError() == NO_ERROR)
      size_ = (static_cast<unsigned long long>(high) << 32) | low;
  }
  void Add(DWORD bytes) {
    read_ += bytes;
    if (!progress_ || size_ == 0) return;
    const int percent = static_cast<int>(std::min(read_, size_) * 100 / size_);
    if (percent != told_) progress_(told_ = percent);
  }

 private:
  const LoadProgress& progress_;
  unsigned long long size_ = 0, read_ = 0;
  int told_ = -1;
};

struct FileReader {
  HANDLE file;
  ReadShare& share;
  core::RtfReaderLimits* limits;
  core::GlyphFontMarker* marker;
  bool widen;
  core::LineBreakConverter converter;
  std::vector<char> block, converted;
  std::string pending;  // ready for the control, from `handedOut` on
  size_t handedOut = 0;
  bool ended = false;
  core::CallbackShield shield;
};

// Reads the next block of the file into what is pending; false when the
// file cannot be read.
bool Refill(FileReader& reader) {
  reader.block.resize(ReadBlock);
  DWORD read = 0;
  if (!ReadFile(reader.file, reader.block.data(), ReadBlock, &read, nullptr)) return false;
  reader.share.Add(read);
  reader.ended = read == 0;
  reader.converted.resize(core::LineBreakConverter::MaxOutput(read) + 2);
  char* out = reader.converted.data();
  const size_t count = reader.ended ? reader.converter.Finish(out)
                                    : reader.converter.Convert(reader.block.data(), read, out);
  reader.pending.erase(0, reader.handedOut);
  reader.handedOut = 0;
  if (reader.marker) {
    reader.marker->Feed(out, count, reader.pending);
    if (reader.ended) reader.marker->Finish(reader.pending);
  } else if (reader.widen) {
    core::AppendStored(out, count, reader.pending);
  } else {
    reader.pending.append(out, count);
  }
  return true;
}

// A block may convert to nothing (only NULs, or a CR held back until the
// next byte shows whether an LF follows): reading goes on until there is
// something or the file has ended, since handing back nothing ends the
// input.
DWORD HandOver(FileReader& reader, LPBYTE buffer, LONG size, LONG* done) {
  while (reader.handedOut == reader.pending.size() && !reader.ended)
    if (!Refill(reader)) return ReadError;
  const char* from = reader.pending.data() + reader.handedOut;
  const size_t count = PieceSize(from, reader.pending.size() - reader.handedOut, static_cast<size_t>(size));
  std::memcpy(buffer, from, count);
  reader.handedOut += count;
  *done = static_cast<LONG>(count);
  if (reader.limits && !reader.limits->Admit(from, count)) {
    // The control goes on reading whatever comes back with an error.
    *done = 0;
    return ReadError;
  }
  return 0;
}

DWORD CALLBACK ReadCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  auto& reader = *reinterpret_cast<FileReader*>(cookie);
  *done = 0;
  return reader.shield.Run([&] { return HandOver(reader, buffer, size, done); }, ReadError);
}

// Streams the whole file into the control from its start; true when the
// control took it in this format.
//
// RTF beyond what the control's reader survives ends that pass with an
// error, so the file loads as plain text: the user sees every byte of it
// and can still mend it, where a refusal would show nothing at all.
bool StreamFileIn(const RichEditControl& control, HANDLE file, bool rtf,
                  const LoadProgress& progress) {
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  core::RtfReaderLimits limits;
  core::GlyphFontMarker marker(GlyphFace);
  const bool widen = !rtf && control.StoresUnicode();
  ReadShare share(file, progress);
  FileReader reader{file, share, rtf ? &limits : nullptr, rtf ? &marker : nullptr, widen, {}, {}, {}, {}, 0, false, {}};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&reader), 0, ReadCallback};
  const WPARAM format = rtf ? SF_RTF : widen ? SF_TEXT | SF_UNICODE : SF_TEXT;
  Stream(control, EM_STREAMIN, format, stream);
  reader.shield.Rethrow();
  return stream.dwError == 0;
}

// Where the control's text goes on its way to the file: plain text from a
// control that keeps UTF-16 turns back into codes first.
struct FileWriter {
  FileReplacement& file;
  core::StoredToCodes* narrow;
  std::string codes;
  core::CallbackShield shield;
};

bool Write(FileWriter& writer, const char* bytes, size_t size) {
  if (!writer.narrow) return writer.file.Write(bytes, size);
  writer.codes.clear();
  writer.narrow->Feed(bytes, size, writer.codes);
  return writer.file.Write(writer.codes.data(), writer.codes.size());
}

DWORD CALLBACK WriteCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  auto& writer = *reinterpret_cast<FileWriter*>(cookie);
  *done = 0;
  return writer.shield.Run(
      [&] {
        if (!Write(writer, reinterpret_cast<const char*>(buffer), static_cast<size_t>(size)))
          return WriteError;
        *done = size;
        return DWORD{0};
      },
      WriteError);
}

}  // namespace

void LoadDocument(RichEditControl& control, const std::string& fileName,
                  const LoadProgress& progress) {
  const ReadableFile file(fileName);
  if (!file.Opened()) throw core::Exception(core::FormatWith(CannotOpen, fileName));
  // What a failed read left in the new window is never shown or saved.
  control.Replace([&](const RichEditControl& fresh) {
    if (!StreamFileIn(fresh, file.Handle(), true, progress) &&
        !StreamFileIn(fresh, file.Handle(), false, progress))
      throw core::Exception(LoadFailed);
  });
}

void SaveDocument(const RichEditControl& control, const std::string& fileName, bool plainText) {
  FileReplacement file(fileName);
  if (!file.Opened()) throw core::Exception(core::FormatWith(CannotCreate, fileName));
  core::StoredToCodes narrow(ThroughCodePage);
  // A plain edit, without the rich edit library, has only its text to give.
  const bool asText = plainText || !control.HasRichText();
  const bool unicode = asText && control.StoresUnicode();
  FileWriter writer{file, unicode ? &narrow : nullptr, {}, {}};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&writer), 0, WriteCallback};
  const WPARAM format = !asText ? SF_RTF : unicode ? SF_TEXT | SF_UNICODE : SF_TEXT;
  Stream(control, EM_STREAMOUT, format, stream);
  writer.shield.Rethrow();
  if (stream.dwError != 0 || !file.Flush()) throw core::Exception(SaveFailed);
  if (file.Commit()) return;
  if (!file.OldFileAside().empty())
    throw core::Exception(
        core::FormatWith(winui::LoadText(IDS_OLD_FILE_ASIDE), fileName, file.OldFileAside()));
  throw core::Exception(core::FormatWith(CannotCreate, fileName));
}
