#include "translate/import_patch.h"

namespace {

const DWORD kNtSignature = 0x00004550;  // "PE\0\0"
const WORD kOptionalHeader32Bytes = 224;

// The import descriptors of module, or null.
const IMAGE_IMPORT_DESCRIPTOR* ImportDescriptors(HMODULE module) {
  if (!module) return nullptr;
  const BYTE* base = reinterpret_cast<const BYTE*>(module);
  const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return nullptr;
  const IMAGE_NT_HEADERS32* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
  if (nt->Signature != kNtSignature || nt->FileHeader.SizeOfOptionalHeader != kOptionalHeader32Bytes)
    return nullptr;
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!imports.VirtualAddress || !imports.Size) return nullptr;
  return reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
}

bool WriteEntry(void** entry, const void* value) {
  DWORD oldProtection = 0;
  if (!::VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &oldProtection)) return false;
  *entry = const_cast<void*>(value);
  DWORD ignored = 0;
  ::VirtualProtect(entry, sizeof *entry, oldProtection, &ignored);
  ::FlushInstructionCache(::GetCurrentProcess(), entry, sizeof *entry);
  return true;
}

}  // namespace

bool PatchImportEntries(HMODULE module, const void* from, const void* to) {
  const IMAGE_IMPORT_DESCRIPTOR* descriptor = ImportDescriptors(module);
  if (!descriptor) return false;
  BYTE* base = reinterpret_cast<BYTE*>(module);
  for (; descriptor->Name; ++descriptor) {
    if (!descriptor->FirstThunk) continue;
    for (void** entry = reinterpret_cast<void**>(base + descriptor->FirstThunk); *entry; ++entry)
      if (*entry == from && !WriteEntry(entry, to)) return false;
  }
  return true;
}
