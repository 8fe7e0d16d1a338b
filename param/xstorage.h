// IXStorage: the structured storage that callers supply to the storage-backed store, its
// stream elements, and the store's factory. The library ships no implementation.
#pragma once

#include "base/enum.h"
#include "base/unknown.h"
#include "base/variant.h"
#include "param/api.h"
#include "param/param.h"

// One stream of a storage.
struct IXStorageElement : IQVUnknown {
  // The stream's value into out; FALSE when it holds none.
  virtual BOOL ReadValue(tagQVVARIANT* out) = 0;
  // Replaces the stream's value.
  virtual void WriteValue(const tagQVVARIANT* value) = 0;
  // Raw records in the machine's byte order, from and to the current position.
  virtual unsigned char ReadByte() = 0;
  virtual unsigned long ReadDword() = 0;
  virtual void WriteByte(unsigned char value) = 0;
  virtual void WriteDword(unsigned long value) = 0;
};

// A storage: named sub-storages and named streams. Failures throw CXException.
struct IXStorage : IQVUnknown {
  // A new sub-storage (replacing one of that name); mode 2 asks for creation.
  virtual IXStorage* CreateStorage(const char* name, int mode) = 0;
  // The existing sub-storage, or null when there is none.
  virtual IXStorage* OpenStorage(const char* name) = 0;
  // Removes the sub-storage and all it holds.
  virtual void DestroyStorage(const char* name) = 0;
  // The enclosing storage, or null for the outermost.
  virtual IXStorage* GetParentStorage() = 0;
  virtual CTEnum<const char*>* EnumStorages() = 0;
  // A new, empty stream (replacing one of that name).
  virtual IXStorageElement* CreateStream(const char* name) = 0;
  // The existing stream, or null when there is none.
  virtual IXStorageElement* OpenStream(const char* name) = 0;
  virtual void DestroyStream(const char* name) = 0;
  // Makes this storage's changes lasting.
  virtual void CommitStorage() = 0;
  virtual CTEnum<const char*>* EnumStreams() = 0;
};

// The mode CreateStorage is called with.
#define XSTORAGE_MODE_CREATE 2

extern "C" {
// A store over storage, named "Root", with one reference for the caller. It holds one
// reference on storage, which QueryInterface for IXStorage gives back.
TW_PARAM_API IParam* new_IXStorParam(IXStorage* storage);
}
