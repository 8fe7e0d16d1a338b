#include "tests/support/ole_storage.h"

#include <string.h>

#include <algorithm>

#include "base/exceptions.h"
#include "base/string_enums.h"

namespace {

const DWORD kElementMode = STGM_READWRITE | STGM_SHARE_EXCLUSIVE;

// Throws CXFileException for a failed OLE call.
void ThrowIfFailed(HRESULT result, const char* name) {
  if (FAILED(result)) throw CXFileException(11, 0, name);
}

std::wstring Wide(const char* text) {
  wchar_t buffer[256];
  const int chars = MultiByteToWideChar(CP_ACP, 0, text ? text : "", -1, buffer, 256);
  return chars > 0 ? buffer : L"";
}

std::string Narrow(const wchar_t* text) {
  char buffer[256];
  const int bytes = WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
  return bytes > 0 ? buffer : "";
}

// A stream holding one value: the type code, a count of bytes, then the bytes: the text of a
// string, the data of a blob, else the value field as it is in memory.
class COleStreamElement : public CQVUnknownImpl<IXStorageElement> {
 public:
  COleStreamElement(IStream* stream, const std::string& name) : m_stream(stream), m_name(name) {}
  ~COleStreamElement() override { m_stream->Release(); }

  BOOL ReadValue(tagQVVARIANT* out) override {
    Rewind();
    tagQVVARIANT value;
    QVVariantInit(&value);
    if (!ReadBytes(&value.vt, sizeof value.vt)) return FALSE;
    const unsigned long bytes = ReadDword();
    const bool counted = value.vt == QVT_STRING || value.vt == QVT_BLOB;
    void* data = counted ? QVAllocBlock(bytes + 1, nullptr) : value.reserved;
    if (value.vt == QVT_STRING) value.pszVal = static_cast<char*>(data);
    if (value.vt == QVT_BLOB) value.blobVal = {bytes, static_cast<unsigned char*>(data)};
    if ((!counted && bytes > sizeof value.reserved) || !ReadBytes(data, bytes)) {
      if (counted) QVFreeBlock(data);
      ThrowIfFailed(STG_E_READFAULT, m_name.c_str());
    }
    QVVariantClear(out);
    *out = value;
    return TRUE;
  }
  void WriteValue(const tagQVVARIANT* value) override {
    Rewind();
    ThrowIfFailed(m_stream->SetSize(ULARGE_INTEGER{}), m_name.c_str());
    // Interfaces do not persist: they are kept as empty values.
    const unsigned short type = value->vt <= QVT_BLOB ? value->vt : static_cast<unsigned short>(QVT_EMPTY);
    const void* data = value->reserved;
    unsigned long bytes = type == QVT_EMPTY ? 0 : sizeof value->reserved;
    if (type == QVT_STRING) {
      data = value->pszVal ? value->pszVal : "";
      bytes = static_cast<unsigned long>(strlen(static_cast<const char*>(data)));
    } else if (type == QVT_BLOB) {
      data = value->blobVal.pBlobData;
      bytes = value->blobVal.cbSize;
    }
    WriteBytes(&type, sizeof type);
    WriteDword(bytes);
    WriteBytes(data, bytes);
  }
  unsigned char ReadByte() override { return Read<unsigned char>(); }
  unsigned long ReadDword() override { return Read<unsigned long>(); }
  void WriteByte(unsigned char value) override { WriteBytes(&value, sizeof value); }
  void WriteDword(unsigned long value) override { WriteBytes(&value, sizeof value); }

 private:
  template <class T>
  T Read() {
    T value;
    if (!ReadBytes(&value, sizeof value)) throw CXFileException(4, 1, m_name.c_str());
    return value;
  }
  void Rewind() { ThrowIfFailed(m_stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr), m_name.c_str()); }
  bool ReadBytes(void* buffer, ULONG bytes) {
    ULONG read = 0;
    ThrowIfFailed(m_stream->Read(buffer, bytes, &read), m_name.c_str());
    return read == bytes;
  }
  void WriteBytes(const void* buffer, ULONG bytes) {
    ULONG written = 0;
    ThrowIfFailed(m_stream->Write(buffer, bytes, &written), m_name.c_str());
    if (written != bytes) ThrowIfFailed(STG_E_WRITEFAULT, m_name.c_str());
  }

  IStream* m_stream;
  std::string m_name;
};

}  // namespace

COleXStorage* COleXStorage::CreateFile(const std::string& path) {
  IStorage* storage = nullptr;
  ThrowIfFailed(
      StgCreateDocfile(Wide(path.c_str()).c_str(), STGM_CREATE | STGM_TRANSACTED | kElementMode, 0, &storage),
      path.c_str());
  return new COleXStorage(storage, nullptr, "");
}

COleXStorage* COleXStorage::OpenFile(const std::string& path) {
  IStorage* storage = nullptr;
  ThrowIfFailed(StgOpenStorage(Wide(path.c_str()).c_str(), nullptr, STGM_TRANSACTED | kElementMode, nullptr,
                               0, &storage),
                path.c_str());
  return new COleXStorage(storage, nullptr, "");
}

COleXStorage::COleXStorage(IStorage* storage, COleXStorage* parent, const char* name)
    : m_storage(storage), m_parent(parent), m_name(name) {
  if (m_parent) {
    m_parent->AddRef();
    m_parent->m_children.push_back(this);
  }
}

COleXStorage::~COleXStorage() {
  m_storage->Release();
  if (m_parent) {
    std::vector<COleXStorage*>& siblings = m_parent->m_children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), this));
    m_parent->Release();
  }
}

IXStorage* COleXStorage::CreateStorage(const char* name, int mode) {
  if (mode != XSTORAGE_MODE_CREATE) throw CXException(10);
  IStorage* sub = nullptr;
  ThrowIfFailed(
      m_storage->CreateStorage(Wide(name).c_str(), STGM_CREATE | STGM_TRANSACTED | kElementMode, 0, 0, &sub),
      name);
  return new COleXStorage(sub, this, name);
}

IXStorage* COleXStorage::OpenStorage(const char* name) {
  for (COleXStorage* open : m_children)
    if (_stricmp(open->m_name.c_str(), name) == 0) {
      open->AddRef();
      return open;
    }
  IStorage* sub = nullptr;
  const HRESULT result =
      m_storage->OpenStorage(Wide(name).c_str(), nullptr, STGM_TRANSACTED | kElementMode, nullptr, 0, &sub);
  if (result == STG_E_FILENOTFOUND) return nullptr;
  ThrowIfFailed(result, name);
  return new COleXStorage(sub, this, name);
}

void COleXStorage::DestroyStorage(const char* name) {
  ThrowIfFailed(m_storage->DestroyElement(Wide(name).c_str()), name);
}

IXStorage* COleXStorage::GetParentStorage() {
  if (m_parent) m_parent->AddRef();
  return m_parent;
}

IXStorageElement* COleXStorage::CreateStream(const char* name) {
  IStream* stream = nullptr;
  ThrowIfFailed(m_storage->CreateStream(Wide(name).c_str(), STGM_CREATE | kElementMode, 0, 0, &stream), name);
  return new COleStreamElement(stream, name);
}

IXStorageElement* COleXStorage::OpenStream(const char* name) {
  IStream* stream = nullptr;
  const HRESULT result = m_storage->OpenStream(Wide(name).c_str(), nullptr, kElementMode, 0, &stream);
  if (result == STG_E_FILENOTFOUND) return nullptr;
  ThrowIfFailed(result, name);
  return new COleStreamElement(stream, name);
}

void COleXStorage::DestroyStream(const char* name) {
  ThrowIfFailed(m_storage->DestroyElement(Wide(name).c_str()), name);
}

void COleXStorage::CommitStorage() {
  ThrowIfFailed(m_storage->Commit(STGC_DEFAULT), m_name.c_str());
  ++m_commits;
}

CTEnum<const char*>* COleXStorage::EnumStorages() { return EnumElements(STGTY_STORAGE); }
CTEnum<const char*>* COleXStorage::EnumStreams() { return EnumElements(STGTY_STREAM); }

CTEnum<const char*>* COleXStorage::EnumElements(DWORD type) {
  IEnumSTATSTG* elements = nullptr;
  ThrowIfFailed(m_storage->EnumElements(0, nullptr, 0, &elements), m_name.c_str());
  std::string list;
  STATSTG stat;
  while (elements->Next(1, &stat, nullptr) == S_OK) {
    if (stat.type == type) {
      list += Narrow(stat.pwcsName);
      list += '\0';
    }
    CoTaskMemFree(stat.pwcsName);
  }
  elements->Release();
  list += '\0';
  return new CZeroDelimitedStringsEnum(list.c_str());
}
