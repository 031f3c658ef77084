#include "RegFiles.h"

#include <cstring>
#include <iterator>

#include "Exceptions.h"
#include "GrowingBuffer.h"

namespace {

// A value that keeps growing while it is read is given up on after this
// many reads rather than chased forever.
constexpr int MaxReadAttempts = 4;

// The registry takes no name at all, not an empty one, for a key's default
// value.
const char* ValueNameArgument(const std::string& valueName) {
  return valueName.empty() ? nullptr : valueName.c_str();
}

// The value name's path comes with a backslash in front to join it to Key;
// without a Key it would start the path, which the registry refuses.
std::string JoinKeyPath(const std::string& key, const std::string& path) {
  if (key.empty() && !path.empty()) return path.substr(1);
  return key + path;
}

}  // namespace

HKEY RootKeyHandle(TRootKey rootKey) {
  static const HKEY roots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,   HKEY_LOCAL_MACHINE,
                               HKEY_USERS,        HKEY_CURRENT_CONFIG, HKEY_DYN_DATA};
  const auto index = static_cast<size_t>(rootKey);
  // A byte from elsewhere may hold no root: no handle, so every open fails.
  return index < std::size(roots) ? roots[index] : nullptr;
}

TRegFile::~TRegFile() {
  // Only a caller that opened a key by hand and never closed it leaves one
  // here; a destructor must not raise, so the status is not examined.
  if (handle_) RegCloseKey(handle_);
}

bool TRegFile::OpenKey(const std::string& keyPath, bool openOnly) {
  CloseKey();
  const HKEY root = RootKeyHandle(rootKey_);
  HKEY opened = nullptr;
  if (openOnly || keyPath.empty() || rootKey_ == TRootKey::hkDynData) {
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_ALL_ACCESS, &opened) == ERROR_SUCCESS) {
      handle_ = opened;
      return true;
    }
    if (openOnly) return false;
    throw core::ERegFileError(core::CantOpenKeyMessage);
  }
  char noClass[] = "";
  CheckResult(RegCreateKeyExA(root, keyPath.c_str(), 0, noClass, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &opened, nullptr));
  handle_ = opened;
  return true;
}

void TRegFile::CloseKey() {
  if (!handle_) return;
  const HKEY closing = handle_;
  handle_ = nullptr;
  CheckResult(RegCloseKey(closing));
}

void TRegFile::CheckResult(LONG status) {
  if (status != ERROR_SUCCESS)
    throw core::ERegFileError(core::RegErrorMessage(static_cast<uint32_t>(status)));
}

int64_t TRegFile::GetDataSize(const std::string& valueName, DWORD& type) const {
  DWORD size = 0;
  const LONG status =
      RegQueryValueExA(handle_, ValueNameArgument(valueName), nullptr, &type, nullptr, &size);
  return status == ERROR_SUCCESS ? static_cast<int64_t>(size) : -1;
}

DWORD TRegFile::ReadData(const std::string& valueName, std::vector<unsigned char>& data) const {
  // Without a buffer the query would only report the size.
  if (data.empty()) data.resize(1);
  DWORD type = 0;
  for (int attempt = 1;; ++attempt) {
    DWORD size = static_cast<DWORD>(data.size());
    const LONG status =
        RegQueryValueExA(handle_, ValueNameArgument(valueName), nullptr, &type, data.data(), &size);
    if (status == ERROR_MORE_DATA && attempt < MaxReadAttempts) {
      // The value grew since its size was asked; the registry told the new size.
      data.resize(size);
      continue;
    }
    CheckResult(status);
    data.resize(size);
    return type;
  }
}

core::RegValue TRegFile::ReadValue(const std::string& valueName) {
  std::string path, name;
  core::SplitValuePath(valueName, path, name);
  core::RegValue result;
  try {
    if (!OpenKeyForReading(JoinKeyPath(key_, path))) return result;
    result = ReadOpenValue(name);
  } catch (...) {
    CloseKeyAfterFailure();
    throw;
  }
  CloseKey();
  return result;
}

// Reading needs no more than read access, which a standard user has where
// writing is refused, and never creates the key: a missing key reads as a
// missing value does. Other failures raise.
bool TRegFile::OpenKeyForReading(const std::string& keyPath) {
  CloseKey();
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyExA(RootKeyHandle(rootKey_), keyPath.c_str(), 0, KEY_READ, &opened);
  if (status == ERROR_FILE_NOT_FOUND) return false;
  if (status != ERROR_SUCCESS) throw core::ERegFileError(core::CantOpenKeyMessage);
  handle_ = opened;
  return true;
}

core::RegValue TRegFile::ReadOpenValue(const std::string& name) {
  DWORD type = 0;
  const int64_t size = GetDataSize(name, type);
  if (size <= 0) return {};
  std::vector<unsigned char> data(static_cast<size_t>(size));
  type = ReadData(name, data);
  // It may have been emptied since its size was asked.
  if (data.empty()) return {};
  if (type == REG_EXPAND_SZ) return core::RegValue::Text(Expanded(data));
  return core::ConvertData(type, data.data(), data.size());
}

// The text up to its first NUL with its environment variables filled in,
// as a command line stored this way is meant to be used.
std::string TRegFile::Expanded(const std::vector<unsigned char>& data) {
  const std::string text(reinterpret_cast<const char*>(data.data()),
                         strnlen(reinterpret_cast<const char*>(data.data()), data.size()));
  return core::ReadWithReportedSize([&](char* buffer, std::size_t size) -> std::size_t {
    const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), buffer, static_cast<DWORD>(size));
    // The count includes the NUL when it fitted.
    return needed == 0 ? 0 : needed <= size ? needed - 1 : needed;
  });
}

void TRegFile::CloseKeyAfterFailure() noexcept {
  try {
    CloseKey();
  } catch (...) {
    // The failure already on its way is the one the user sees.
  }
}
