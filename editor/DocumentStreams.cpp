#include "DocumentStreams.h"

#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "CallbackShield.h"
#include "ControlStreams.h"
#include "DocumentKind.h"
#include "EditorTexts.h"
#include "Exceptions.h"
#include "FileReplacement.h"
#include "GlyphFont.h"
#include "GlyphFontMarker.h"
#include "GlyphStorage.h"
#include "GlyphText.h"
#include "LineBreakConverter.h"
#include "RichEditControl.h"
#include "RtfConversion.h"
#include "RtfReaderLimits.h"
#include "StringIds.h"
#include "StringResource.h"
#include "TextFormat.h"
#include "Utf.h"

namespace {

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

// The whole file: what it holds decides how it is shown, and a Unicode
// document is converted as a whole.
std::string ReadWholeFile(const std::string& fileName) {
  const ReadableFile file(fileName);
  if (!file.Opened())
    throw core::Exception(core::FormatWith(winui::LoadText(IDS_CANNOT_OPEN_FILE), fileName));
  DWORD high = 0;
  const DWORD low = GetFileSize(file.Handle(), &high);
  std::string bytes;
  if (low != INVALID_FILE_SIZE && high == 0) bytes.reserve(low);
  std::vector<char> block(ReadBlock);
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.Handle(), block.data(), ReadBlock, &read, nullptr))
      throw core::Exception(winui::LoadText(IDS_LOAD_FAILED));
    if (read == 0) return bytes;
    bytes.append(block.data(), read);
  }
}

// The share of the document handed to the control so far, told when it grows.
class ReadShare {
 public:
  ReadShare(std::size_t size, const LoadProgress& progress) : progress_(progress), size_(size) {}
  void Add(std::size_t bytes) {
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

// One pass of the document through the read callback: its line breaks
// made CR LF; as RTF, the glyph font marked as a symbol font and the bytes
// kept within the reader's limits; as plain text for a control that keeps
// UTF-16, the codes as the symbol font's characters.
struct FileReader {
  std::string_view document;
  std::size_t taken;  // of `document`, so far
  ReadShare& share;
  core::RtfReaderLimits* limits;
  core::GlyphFontMarker* marker;
  bool widen;
  core::LineBreakConverter converter;
  std::vector<char> converted;
  std::string pending;  // ready for the control, from `handedOut` on
  size_t handedOut = 0;
  bool ended = false;
  core::CallbackShield shield;
};

// Takes the next block of the document into what is pending.
void Refill(FileReader& reader) {
  const char* block = reader.document.data() + reader.taken;
  const size_t read = std::min<size_t>(ReadBlock, reader.document.size() - reader.taken);
  reader.taken += read;
  reader.share.Add(read);
  reader.ended = read == 0;
  reader.converted.resize(core::LineBreakConverter::MaxOutput(read) + 2);
  char* out = reader.converted.data();
  const size_t count =
      reader.ended ? reader.converter.Finish(out) : reader.converter.Convert(block, read, out);
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
}

// A block may convert to nothing (only NULs, or a CR held back until the
// next byte shows whether an LF follows): reading goes on until there is
// something or the file has ended, since handing back nothing ends the
// input.
DWORD HandOver(FileReader& reader, LPBYTE buffer, LONG size, LONG* done) {
  while (reader.handedOut == reader.pending.size() && !reader.ended) Refill(reader);
  const char* from = reader.pending.data() + reader.handedOut;
  const size_t count =
      PieceSize(from, reader.pending.size() - reader.handedOut, static_cast<size_t>(size));
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

// Streams the whole document into the control; true when the control took
// it in this format.
//
// RTF beyond what the control's reader survives ends that pass with an
// error, so the file loads as plain text: the user sees every byte of it
// and can still mend it, where a refusal would show nothing at all.
bool StreamFileIn(const RichEditControl& control, std::string_view document, bool rtf,
                  const LoadProgress& progress) {
  core::RtfReaderLimits limits;
  core::GlyphFontMarker marker(GlyphFace);
  const bool widen = !rtf && control.StoresUnicode();
  ReadShare share(document.size(), progress);
  FileReader reader{
      document, 0,     share, rtf ? &limits : nullptr, rtf ? &marker : nullptr, widen, {}, {}, {},
      0,        false, {}};
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

bool StreamToFile(const RichEditControl& control, FileReplacement& file, bool plainText) {
  core::StoredToCodes narrow(ThroughCodePage);
  // A plain edit, without the rich edit library, has only its text to give.
  const bool asText = plainText || !control.HasRichText();
  const bool unicode = asText && control.StoresUnicode();
  FileWriter writer{file, unicode ? &narrow : nullptr, {}, {}};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&writer), 0, WriteCallback};
  const WPARAM format = !asText ? SF_RTF : unicode ? SF_TEXT | SF_UNICODE : SF_TEXT;
  Stream(control, EM_STREAMOUT, format, stream);
  writer.shield.Rethrow();
  return stream.dwError == 0;
}

// Replaces the file with what `write` gives it, once all of it is written.
void ReplaceFile(const std::string& fileName, const std::function<bool(FileReplacement&)>& write) {
  FileReplacement file(fileName);
  if (!file.Opened())
    throw core::Exception(core::FormatWith(winui::LoadText(IDS_CANNOT_CREATE_FILE), fileName));
  if (!write(file) || !file.Flush()) throw core::Exception(winui::LoadText(IDS_SAVE_FAILED));
  if (file.Commit()) return;
  if (!file.OldFileAside().empty())
    throw core::Exception(
        core::FormatWith(winui::LoadText(IDS_OLD_FILE_ASIDE), fileName, file.OldFileAside()));
  throw core::Exception(core::FormatWith(winui::LoadText(IDS_CANNOT_CREATE_FILE), fileName));
}

// The control's default format, as far as RTF can say it.
core::CharacterFormat DefaultFormatOf(const RichEditControl& control) {
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  control.Send(EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  core::CharacterFormat rtf;
  rtf.bold = format.dwEffects & CFE_BOLD;
  rtf.italic = format.dwEffects & CFE_ITALIC;
  rtf.underline = format.dwEffects & CFE_UNDERLINE;
  rtf.halfPoints = static_cast<std::uint16_t>(std::max<LONG>(2, (format.yHeight + 5) / 10));
  return rtf;
}

// Whether the system's code page has the character itself, not a
// look-alike.
bool HeldByCodePage(char32_t character) {
  std::u16string units;
  core::AppendUtf16(character, units);
  const auto* wide = reinterpret_cast<LPCWSTR>(units.data());
  char bytes[8];
  BOOL usedDefault = FALSE;
  const int length = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(units.size()), bytes,
                                         sizeof bytes, nullptr, &usedDefault);
  if (length <= 0 || usedDefault) return false;
  WCHAR back[4];
  const int backLength = MultiByteToWideChar(CP_ACP, 0, bytes, length, back, 4);
  return backLength == static_cast<int>(units.size()) && std::equal(back, back + backLength, wide);
}

// How the control takes Unicode documents: a control that keeps only
// bytes holds nothing beside the glyph font's codes.
core::TextIntake IntakeOf(const RichEditControl& control) {
  core::TextIntake intake;
  intake.richText = control.HasRichText();
  intake.format = DefaultFormatOf(control);
  if (control.StoresUnicode()) intake.systemHolds = HeldByCodePage;
  return intake;
}

}  // namespace

LoadedDocument LoadDocument(RichEditControl& control, const std::string& fileName,
                            const LoadProgress& progress) {
  std::string bytes = ReadWholeFile(fileName);
  core::ShownFile shown;
  try {
    shown = core::ShownFileOf(std::move(bytes), IntakeOf(control));
  } catch (const core::Exception& fault) {
    throw core::Exception(core::FormatWith(texts::CannotBeOpened, fileName, fault.what()));
  }
  // The control's RTF reader is the judge of the editor's own RTF: what it
  // refuses loads as plain text, every byte of it. What the editor made of
  // a Unicode document it always reads.
  const bool own = core::IsGlyphKind(shown.kind);
  bool rtf = shown.rtf;
  // What a failed read left in the new window is never shown or saved.
  control.Replace([&](const RichEditControl& fresh) {
    if (rtf && StreamFileIn(fresh, shown.bytes, true, progress)) return;
    if (!own && rtf) throw core::Exception(winui::LoadText(IDS_LOAD_FAILED));
    rtf = false;
    if (!StreamFileIn(fresh, shown.bytes, false, progress))
      throw core::Exception(winui::LoadText(IDS_LOAD_FAILED));
  });
  return {rtf || !own ? shown.kind : core::DocumentKind::GlyphText, std::move(shown.problems)};
}

LoadedDocument InspectDocument(const std::string& fileName) {
  try {
    core::ShownFile shown = core::ShownFileOf(ReadWholeFile(fileName));
    return {shown.kind, std::move(shown.problems)};
  } catch (const core::Exception&) {
    return {core::DocumentKind::DabiroRtf, {}};
  }
}

std::string UnicodeFileOf(const RichEditControl& control, core::DocumentKind kind,
                          core::Unconvertibles& problems) {
  if (core::IsUnicodeText(kind) && !control.HasRichText())
    return core::UnicodeFileOfGlyphText(CodesOf(control), kind, problems);
  const std::string rtf =
      control.HasRichText() ? StreamOut(control, SF_RTF) : core::GlyphRtfOfText(CodesOf(control));
  return core::UnicodeFileOfGlyphRtf(rtf, kind, problems);
}

void SaveBytes(const std::string& fileName, const std::string& bytes) {
  ReplaceFile(fileName,
              [&](FileReplacement& file) { return file.Write(bytes.data(), bytes.size()); });
}

void SaveDocument(const RichEditControl& control, const std::string& fileName, bool plainText) {
  ReplaceFile(fileName,
              [&](FileReplacement& file) { return StreamToFile(control, file, plainText); });
}
