// IParam: the hierarchical parameter store, and the memory store's factory.
#pragma once

#include "base/enum.h"
#include "base/unknown.h"
#include "base/variant.h"
#include "param/api.h"

// A node holding named values and named child nodes. Paths join names with a backslash;
// names are compared without regard to letter case; a null or empty value name is "@".
struct IParam : IQVUnknown {
  // The child at path, created when missing, emptied when it exists; one reference.
  virtual IParam* CreateChild(const char* path) = 0;
  // The child at path with one reference; with create, missing nodes are made; else null.
  virtual IParam* GetChild(const char* path, BOOL create) = 0;
  virtual void DeleteChild(const char* name) = 0;
  virtual void DeleteAllChildren() = 0;
  // Child names in the store's order, one reference for the caller.
  virtual CTEnum<const char*>* EnumChildren() = 0;
  // TRUE when the value exists; out then holds a copy.
  virtual BOOL GetValue(const char* path, tagQVVARIANT* out) = 0;
  virtual void SetValue(const char* path, const tagQVVARIANT* value) = 0;
  virtual void DeleteValue(const char* name) = 0;
  virtual void DeleteAllValues() = 0;
  // Value names in the store's order, one reference for the caller.
  virtual CTEnum<const char*>* EnumValues() = 0;
  virtual void RemoveAll() = 0;
};

// The name under which a null or empty value name is kept.
#define PARAM_DEFAULT_VALUE_NAME "@"

extern "C" {
// An empty memory store with one reference for the caller.
TW_PARAM_API IParam* new_MemParam();
}
