// An add-on of the Tarnwick base library. Each export shows one part of the library, writes what
// it saw into out (size bytes) and returns 1, or 0 when something went wrong. No exception may
// leave an export: the host calling it knows nothing of C++.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "base/exceptions.h"
#include "base/heap.h"
#include "base/unknown_impl.h"
#include "base/variant.h"
#include "base/xstring.h"
#include "fio/xfile.h"
#include "param/ini.h"
#include "param/param.h"
#include "param/xstorage.h"

#define ADDON_EXPORT extern "C" __declspec(dllexport)

namespace {

void Report(char* out, int size, const char* text) {
  if (out && size > 0) lstrcpynA(out, text, size);
}

// Runs step and turns any exception that reaches it into a failed result.
template <typename Step>
int Guarded(char* out, int size, Step step) {
  try {
    return step();
  } catch (const CXException& e) {
    char text[64];
    snprintf(text, sizeof text, "unexpected CXException code %d", e.GetCode());
    Report(out, size, text);
  } catch (...) {
    Report(out, size, "unexpected exception");
  }
  return 0;
}

CXString InFolder(const char* folder, const char* name) {
  CXString path(folder);
  path.AddDirDelim();
  path += name;
  return path;
}

// A storage whose medium has gone: every access throws, as a storage over a lost network file
// would. The parameter store over it reports the failures by its results.
class COfflineStorage : public CQVUnknownImpl<IXStorage> {
 public:
  int thrown = 0;

  IXStorage* CreateStorage(const char* name, int) override { Fail(name); }
  IXStorage* OpenStorage(const char* name) override { Fail(name); }
  void DestroyStorage(const char* name) override { Fail(name); }
  IXStorage* GetParentStorage() override { return nullptr; }
  CTEnum<const char*>* EnumStorages() override { Fail(""); }
  IXStorageElement* CreateStream(const char* name) override { Fail(name); }
  IXStorageElement* OpenStream(const char* name) override { Fail(name); }
  void DestroyStream(const char* name) override { Fail(name); }
  void CommitStorage() override { Fail(""); }
  CTEnum<const char*>* EnumStreams() override { Fail(""); }

 private:
  [[noreturn]] void Fail(const char* name) {
    ++thrown;
    throw CXFileException(FIOERR_NETWORK, FIOOP_READ, name);
  }
};

}  // namespace

// Strings share their text until one copy changes.
ADDON_EXPORT int Addon_Strings(const char*, char* out, int size) {
  return Guarded(out, size, [&] {
    CXString text("hello");
    text += ", add-on";
    CXString copy = text;
    copy.Upper();
    CXString line;
    line.Format("%s|%s|%d", static_cast<const char*>(text), static_cast<const char*>(copy), text.GetLength());
    Report(out, size, line);
    return 1;
  });
}

// A private heap: zero-filled blocks that keep their bytes when they grow.
ADDON_EXPORT int Addon_Heap(const char*, char* out, int size) {
  return Guarded(out, size, [&] {
    IHeap* heap = new_MemoryHeap(4096);
    char* block = static_cast<char*>(heap->Alloc(100));
    const bool zeroed = block[0] == 0 && block[99] == 0;
    lstrcpyA(block, "kept");
    block = static_cast<char*>(heap->ReAlloc(block, 1000));
    char line[64];
    snprintf(line, sizeof line, "zeroed=%d text=%s room=%d", zeroed, block, heap->GetBlockSize(block) >= 1000);
    heap->Free(block);
    heap->Release();
    Report(out, size, line);
    return 1;
  });
}

// A parameter tree in memory, written to an INI file and read back into a second tree.
ADDON_EXPORT int Addon_Settings(const char* folder, char* out, int size) {
  return Guarded(out, size, [&] {
    const CXString path = InFolder(folder, "addon.ini");
    IParam* settings = new_MemParam();
    CQVVariant width(640);
    CQVVariant title("Add-on window");
    settings->SetValue("Window\\Width", &width);
    settings->SetValue("Window\\Title", &title);
    const BOOL written = Param_Param2IniFile(settings, path);
    settings->Release();

    IParam* reread = new_MemParam();
    const BOOL read = Param_IniFile2Param(path, reread);
    CQVVariant readWidth, readTitle;
    reread->GetValue("Window\\Width", &readWidth);
    reread->GetValue("Window\\Title", &readTitle);
    reread->Release();
    CXString line;
    line.Format("written=%d read=%d width=%d title=%s", written, read, readWidth.intVal,
                readTitle.vt == QVT_STRING ? readTitle.pszVal : "(none)");
    Report(out, size, line);
    return 1;
  });
}

// A local file read line by line.
ADDON_EXPORT int Addon_ReadLines(const char* folder, char* out, int size) {
  return Guarded(out, size, [&] {
    IXFile* file = Fio_Open(InFolder(folder, "lines.txt"), 0);
    CXString lines;
    int count = 0;
    char line[256];
    while (file->GetPosition() < file->GetLength()) {
      file->ReadLine(line, sizeof line);
      line[strcspn(line, "\r\n")] = '\0';
      lines += "[";
      lines += line;
      lines += "]";
      ++count;
    }
    file->Release();
    CXString text;
    text.Format("%d:%s", count, static_cast<const char*>(lines));
    Report(out, size, text);
    return 1;
  });
}

// The library reports a failed action by throwing; the add-on catches it by type.
ADDON_EXPORT int Addon_MissingFile(const char* folder, char* out, int size) {
  return Guarded(out, size, [&] {
    const CXString path = InFolder(folder, "missing.txt");
    try {
      Fio_Open(path, 0)->Release();
      Report(out, size, "opened a missing file");
      return 0;
    } catch (const CXFileException& e) {
      CXString text;
      text.Format("CXFileException code=%d operation=%d same name=%d", e.GetCode(), e.GetOperation(),
                  lstrcmpiA(e.GetFileName(), path) == 0);
      Report(out, size, text);
      return 1;
    }
  });
}

// The add-on's own storage throws into the library; the store turns that into its results.
ADDON_EXPORT int Addon_OfflineStorage(const char*, char* out, int size) {
  return Guarded(out, size, [&] {
    COfflineStorage* storage = new COfflineStorage;
    IParam* store = new_IXStorParam(storage);
    CQVVariant value;
    const BOOL found = store->GetValue("Colour", &value);
    CQVVariant blue("blue");
    store->SetValue("Colour", &blue);
    IParam* child = store->GetChild("Panel", TRUE);
    const bool threw = storage->thrown > 0;
    if (child) child->Release();
    store->Release();
    storage->Release();
    CXString text;
    text.Format("GetValue=%d empty=%d GetChild=%s storage threw=%d", found, value.vt == QVT_EMPTY,
                child ? "child" : "null", threw);
    Report(out, size, text);
    return 1;
  });
}
