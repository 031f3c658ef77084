#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Component.h"
#include "RegistryValue.h"

// The registry roots a reader can start from, stored in one byte.
enum class TRootKey : uint8_t {
  hkClassesRoot,
  hkCurrentUser,
  hkLocalMachine,
  hkUsers,
  hkCurrentConfig,
  hkDynData
};
static_assert(sizeof(TRootKey) == 1, "TRootKey is stored in one byte");

// The predefined handle a root stands for. Not 0x80000000 plus the ordinal:
// HKEY_PERFORMANCE_DATA (0x80000004) has no root of its own here.
HKEY RootKeyHandle(TRootKey rootKey);

// Reads one value below RootKey\Key and converts it by its registry type.
// A key is open only within one ReadValue call; every failure is raised as
// core::ERegFileError.
class TRegFile : public winui::Component {
 public:
  explicit TRegFile(std::string name = {}) : Component(std::move(name)) {}
  ~TRegFile() override;

  TRootKey RootKey() const { return rootKey_; }
  void SetRootKey(TRootKey rootKey) { rootKey_ = rootKey; }
  const std::string& Key() const { return key_; }
  void SetKey(std::string key) { key_ = std::move(key); }
  // The open key, or null while none is open.
  HKEY Handle() const { return handle_; }

  // Opens keyPath below RootKey, creating it if missing unless openOnly is
  // set, the path is empty or the root is hkDynData. With openOnly a
  // failure only returns false; otherwise it raises. A key still open is
  // closed first.
  virtual bool OpenKey(const std::string& keyPath, bool openOnly);
  // Closes the open key, if any. The handle is cleared even when the close
  // fails, so a refused handle is never closed twice.
  virtual void CloseKey();

  // Raises "Reg Error: XXXXXXXX" for any status but 0.
  static void CheckResult(LONG status);

  // The size of the value's data in bytes, or -1 if it cannot be queried;
  // type receives its registry type. An empty name is the default value.
  int64_t GetDataSize(const std::string& valueName, DWORD& type) const;
  // Reads the value into data, whose size is the caller's guess; data ends
  // up holding exactly the bytes read (grown if the value grew meanwhile).
  // Returns the registry type.
  DWORD ReadData(const std::string& valueName, std::vector<unsigned char>& data) const;

  // Opens Key plus the value name's own path for reading only (it is never
  // created), reads and converts the value, and closes the key on every
  // path. Null when the key or the value is missing, or the value empty; a
  // REG_EXPAND_SZ value is its text with the environment variables filled in.
  core::RegValue ReadValue(const std::string& valueName);

 protected:
  // Opens keyPath below RootKey with read access; false when it is missing.
  virtual bool OpenKeyForReading(const std::string& keyPath);

 private:
  core::RegValue ReadOpenValue(const std::string& name);
  static std::string Expanded(const std::vector<unsigned char>& data);
  void CloseKeyAfterFailure() noexcept;

  TRootKey rootKey_ = TRootKey::hkCurrentUser;
  std::string key_;
  HKEY handle_ = nullptr;
};
