#include "Clipboard.h"
#include "EditorTexts.h"

#include <algorithm>
#include <cstring>

#include "Exceptions.h"
#include "TextFormat.h"

namespace {

// Another program (under Wine also the X selection bridge) may hold the
// clipboard for a moment.
bool OpenClipboardSoon(HWND owner) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(1);
  }
  return false;
}

HGLOBAL TextBlock(const std::string& text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!block) return nullptr;
  void* bytes = GlobalLock(block);
  if (!bytes) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  return block;
}

}  // namespace

bool ReplaceClipboardText(HWND owner, const std::string& text) {
  return ReplaceClipboard(owner, {{CF_TEXT, text}});
}

bool ReplaceClipboard(HWND owner, const std::vector<std::pair<UINT, std::string>>& data) {
  std::vector<HGLOBAL> blocks;
  for (const auto& item : data) blocks.push_back(TextBlock(item.second));
  const bool made = std::find(blocks.begin(), blocks.end(), nullptr) == blocks.end();
  const bool opened = made && OpenClipboardSoon(owner);
  bool placed = opened && EmptyClipboard();
  for (size_t i = 0; i < blocks.size(); ++i) {
    // The clipboard owns a block once it has taken it.
    if (placed && SetClipboardData(data[i].first, blocks[i])) continue;
    placed = false;
    if (blocks[i]) GlobalFree(blocks[i]);
  }
  if (opened) CloseClipboard();
  return placed;
}

std::string ClipboardWriteFailure(const char* done) {
  return core::FormatWith(texts::ClipboardNotWritten, done);
}

void FailClipboardWrite(const char* done) { throw core::Exception(ClipboardWriteFailure(done)); }

bool ClipboardHas(UINT format) { return IsClipboardFormatAvailable(format) != 0; }

bool ReadClipboardText(HWND owner, std::string& text) {
  if (!ClipboardHas(CF_TEXT) || !OpenClipboardSoon(owner)) return false;
  HANDLE block = GetClipboardData(CF_TEXT);
  const char* bytes = block ? static_cast<const char*>(GlobalLock(block)) : nullptr;
  if (bytes) {
    text.assign(bytes, strnlen(bytes, GlobalSize(block)));
    GlobalUnlock(block);
  }
  CloseClipboard();
  return bytes != nullptr;
}

bool ReadClipboardUnicode(HWND owner, std::u16string& text) {
  if (!ClipboardHas(CF_UNICODETEXT) || !OpenClipboardSoon(owner)) return false;
  HANDLE block = GetClipboardData(CF_UNICODETEXT);
  const auto* units = block ? static_cast<const char16_t*>(GlobalLock(block)) : nullptr;
  if (units) {
    const std::size_t most = GlobalSize(block) / sizeof(char16_t);
    std::size_t length = 0;
    while (length < most && units[length]) ++length;
    text.assign(units, length);
    GlobalUnlock(block);
  }
  CloseClipboard();
  return units != nullptr;
}
