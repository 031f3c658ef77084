#pragma once
#include <windows.h>

#include <cstring>

namespace winui {

// Locks a global block for the life of a scope.
template <typename T>
class Locked {
 public:
  explicit Locked(HGLOBAL block)
      : block_(block), data_(block ? static_cast<T*>(GlobalLock(block)) : nullptr) {}
  ~Locked() {
    if (data_) GlobalUnlock(block_);
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
  T* get() const { return data_; }
  T* operator->() const { return data_; }

 private:
  HGLOBAL block_;
  T* data_;
};

// A copy of a global block (null for null or when memory runs out).
inline HGLOBAL CopyOf(HGLOBAL block) {
  if (!block) return nullptr;
  const SIZE_T size = GlobalSize(block);
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!copy) return nullptr;
  const Locked<char> from(block), to(copy);
  std::memcpy(to.get(), from.get(), size);
  return copy;
}

inline void Free(HGLOBAL block) {
  if (block) GlobalFree(block);
}

}  // namespace winui
