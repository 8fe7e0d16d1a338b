// Bounded registry reads and plain writes shared by the engine's readers and writers.
// Every read is limited to the buffer size the registry layout allows; a value that
// does not fit counts as missing and is never read past its buffer.
#pragma once

#include <string>

#include "base/handles.h"

namespace reg {

// Whether a value's stored type must match the type it is read as.
enum class TypeRule {
  Exact,    // strings: REG_SZ or REG_EXPAND_SZ (as stored); numbers: REG_DWORD
  AnyType,  // the stored bytes are taken whatever type the value has
};

// Opens root\path; an empty key on failure.
fw::RegKey OpenKey(HKEY root, const std::string& path, REGSAM access);

// Creates (or opens) root\path, non-volatile; an empty key on failure.
fw::RegKey CreateKey(HKEY root, const std::string& path, REGSAM access);

// Reads a string value whose text and terminating zero fit `capacity` bytes. Text stops
// at the first zero byte; stored bytes without one are taken as they are when a zero
// still fits. On failure (missing, wrong type, too large) returns false, out unchanged.
bool ReadString(HKEY key, const char* name, size_t capacity, std::string& out,
                TypeRule rule = TypeRule::Exact);

// Whether the value exists, whatever its type and size.
bool ValueExists(HKEY key, const char* name);

// Reads a four-byte number. On failure (missing, wrong type, other size) returns false,
// out unchanged.
bool ReadDword(HKEY key, const char* name, DWORD& out, TypeRule rule = TypeRule::Exact);

// Writes a REG_SZ value, its length including the terminating zero.
LONG WriteString(HKEY key, const char* name, const std::string& text);

// Name of the subkey at index, for names shorter than `capacity` bytes. False when the
// enumeration ends or fails; name is then unchanged.
bool EnumSubkey(HKEY key, DWORD index, size_t capacity, std::string& name);

}  // namespace reg
