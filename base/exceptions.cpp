#include "base/exceptions.h"

#include <mbctype.h>
#include <string.h>

namespace {

HMODULE ModuleOfAddress(const void* address) {
  MEMORY_BASIC_INFORMATION info;
  if (!address || VirtualQuery(address, &info, sizeof info) == 0) return nullptr;
  return static_cast<HMODULE>(info.AllocationBase);
}

char g_nameSlots[CXFileException::NAME_SLOTS][CXFileException::NAME_SLOT_SIZE];
// How many exception objects point at each slot: a copy shares its original's slot,
// and the slot is given back only when the last of them is destroyed.
int g_slotUsers[CXFileException::NAME_SLOTS];

int SlotIndex(const char* slot) {
  return static_cast<int>((slot - g_nameSlots[0]) / CXFileException::NAME_SLOT_SIZE);
}

char* TakeNameSlot() {
  for (auto& slot : g_nameSlots)
    if (g_slotUsers[SlotIndex(slot)] == 0) return slot;
  return g_nameSlots[0];
}

// Copies whole characters only, so a cut name never ends in half a double-byte character.
void CopyName(char* slot, const char* name) {
  size_t used = 0;
  if (name) {
    while (name[used]) {
      const size_t step = (_ismbblead(static_cast<unsigned char>(name[used])) && name[used + 1]) ? 2 : 1;
      if (used + step > CXFileException::NAME_SLOT_SIZE - 1) break;
      used += step;
    }
    memcpy(slot, name, used);
  }
  slot[used] = 0;
}

}  // namespace

__attribute__((noinline)) CXException::CXException(int code)
    : CXException(code, __builtin_return_address(0)) {}

CXException::CXException(int code, const void* raisedAt)
    : m_code(code), m_hModule(ModuleOfAddress(raisedAt)) {}

CXException::~CXException() = default;

int CXException::GetCode() const { return m_code; }

void CXException::Reserved() const {}

__attribute__((noinline)) CXMemException::CXMemException()
    : CXException(QVERR_MEMORY, __builtin_return_address(0)) {}

__attribute__((noinline)) CXIFaceException::CXIFaceException(const std::type_info& missing)
    : CXException(QVERR_INTERFACE, __builtin_return_address(0)), m_missing(&missing) {}

__attribute__((noinline)) CXFileException::CXFileException(int code, int operation, const char* fileName)
    : CXException(code, __builtin_return_address(0)), m_fileName(nullptr), m_operation(operation) {
  char* slot = TakeNameSlot();
  CopyName(slot, fileName);
  Attach(slot);
}

CXFileException::CXFileException(const CXFileException& other)
    : CXException(other), m_fileName(nullptr), m_operation(other.m_operation) {
  Attach(other.m_fileName);
}

CXFileException& CXFileException::operator=(const CXFileException& other) {
  if (this != &other) {
    CXException::operator=(other);
    Detach();
    Attach(other.m_fileName);
    m_operation = other.m_operation;
  }
  return *this;
}

CXFileException::~CXFileException() { Detach(); }

void CXFileException::Attach(char* slot) {
  m_fileName = slot;
  ++g_slotUsers[SlotIndex(slot)];
}

void CXFileException::Detach() {
  if (!m_fileName) return;
  int& users = g_slotUsers[SlotIndex(m_fileName)];
  if (--users <= 0) {
    users = 0;
    m_fileName[0] = 0;
  }
  m_fileName = nullptr;
}
