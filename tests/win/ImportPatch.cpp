#include "ImportPatch.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "LateBoundCalls.h"
#include "SystemLibraries.h"

namespace {

// The patches alive now, oldest first.
std::vector<const ImportPatch*> live;

void Write(void** slot, void* value) {
  DWORD old = 0;
  VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
  *slot = value;
  VirtualProtect(slot, sizeof *slot, old, &old);
}

// The program's import address table entry for the function, or the slot
// through which the program calls it once its library is loaded.
void** FindSlot(const char* dll, const char* function) {
  if (winui::late::BindsLate(dll)) return winui::LateBoundSlot(dll, function);
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* entry =
           reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       entry->Name; ++entry) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), dll) != 0) continue;
    auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (lstrcmpA(reinterpret_cast<const char*>(byName->Name), function) == 0)
        return reinterpret_cast<void**>(&slots->u1.Function);
    }
  }
  throw std::runtime_error(std::string("the test program does not import ") + function);
}

}  // namespace

ImportPatch::ImportPatch(const char* dll, const char* function, void* replacement)
    : function_(function), slot_(FindSlot(dll, function)), original_(*slot_) {
  Write(slot_, replacement);
  live.push_back(this);
}

ImportPatch::~ImportPatch() {
  Write(slot_, original_);
  live.erase(std::find(live.begin(), live.end(), this));
}

void* ImportPatch::OriginalOf(const char* function) {
  for (auto patch = live.rbegin(); patch != live.rend(); ++patch)
    if ((*patch)->function_ == function) return (*patch)->original_;
  throw std::logic_error(std::string("no patch of ") + function);
}
