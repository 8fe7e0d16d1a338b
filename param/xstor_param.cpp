#include "param/xstor_param.h"

#include "base/exceptions.h"
#include "param/name_snapshot.h"
#include "param/param_path.h"
#include "param/param_ref.h"

CIXStorParam::CIXStorParam(IXStorage* storage, const char* name, IParam* parent)
    : m_name(name), m_storage(nullptr) {
  m_ifaces.Register(storage, typeid(IXStorage), FALSE);
  m_ifaces.Register(static_cast<IRegisterIface*>(this), typeid(IRegisterIface), FALSE);
  // References last: nothing below can throw.
  storage->AddRef();
  m_storage = storage;
  if (parent) SetParent(parent);
}

CIXStorParam::~CIXStorParam() {
  if (!m_storage) return;
  try {
    m_storage->CommitStorage();
    QVRef<IXStorage> enclosing(m_storage->GetParentStorage());
    if (enclosing) enclosing->CommitStorage();
  } catch (const CXException&) {
    // Nothing can be reported from here; the storage keeps what it last committed.
  }
  m_storage->Release();
}

long CIXStorParam::Release() {
  if (this->m_refCount == 1) CommitQuietly();
  return Base::Release();
}

void CIXStorParam::CommitQuietly() noexcept {
  try {
    if (m_storage) m_storage->CommitStorage();
  } catch (const CXException&) {
  }
}

BOOL CIXStorParam::QueryInterface(const std::type_info& type, void** out) {
  return m_ifaces.Query(type, out);
}

BOOL CIXStorParam::RegisterIface(IQVUnknown* iface, const std::type_info& type, BOOL addRef) {
  return m_ifaces.Register(iface, type, addRef);
}

IXStorage* CIXStorParam::Storage() const {
  if (!m_storage) throw CXIFaceException(typeid(IXStorage));
  return m_storage;
}

IParam* CIXStorParam::OpenDirectChild(const char* name, BOOL create, BOOL makeNew) {
  QVRef<IXStorage> sub(makeNew ? nullptr : Storage()->OpenStorage(name));
  if (!sub && (create || makeNew)) sub.Reset(Storage()->CreateStorage(name, XSTORAGE_MODE_CREATE));
  if (!sub) return nullptr;
  return new CIXStorParam(sub.Get(), name, this);
}

IParam* CIXStorParam::WalkToChild(const char* path, BOOL create, BOOL makeLastNew) {
  path = param_path::ChildName(path);
  CXString head;
  const char* tail;
  if (!param_path::SplitFirst(path, head, tail)) return OpenDirectChild(path, create, makeLastNew);
  QVRef<IParam> child(OpenDirectChild(head, create, FALSE));
  if (!child) return nullptr;
  return static_cast<CIXStorParam*>(child.Get())->WalkToChild(tail, create, makeLastNew);
}

IParam* CIXStorParam::CreateChild(const char* path) {
  try {
    return WalkToChild(path, TRUE, TRUE);
  } catch (const CXException&) {
    return nullptr;
  }
}

IParam* CIXStorParam::GetChild(const char* path, BOOL create) {
  try {
    return WalkToChild(path, create, FALSE);
  } catch (const CXException&) {
    return nullptr;
  }
}

void CIXStorParam::DeleteChild(const char* name) {
  try {
    QVRef<IParam> child(WalkToChild(name, FALSE, FALSE));
    if (child) child->RemoveAll();
  } catch (const CXException&) {
  }
}

void CIXStorParam::DeleteAllChildren() {
  try {
    CNameSnapshot names(Storage()->EnumStorages());
    for (CNameSnapshot::Node* node = names.First(); node; node = node->next) DeleteChild(node->value);
  } catch (const CXException&) {
  }
}

CTEnum<const char*>* CIXStorParam::EnumChildren() {
  try {
    return Storage()->EnumStorages();
  } catch (const CXException&) {
    return nullptr;
  }
}

BOOL CIXStorParam::GetValue(const char* path, tagQVVARIANT* out) {
  try {
    CXString childPath;
    const char* lastName;
    if (param_path::SplitLast(path, childPath, lastName)) {
      QVRef<IParam> child(WalkToChild(childPath, FALSE, FALSE));
      return child ? child->GetValue(lastName, out) : FALSE;
    }
    QVRef<IXStorageElement> stream(Storage()->OpenStream(param_path::ValueName(path)));
    if (!stream) {
      QVVariantClear(out);
      return FALSE;
    }
    if (out) return stream->ReadValue(out);
    // Only asked whether the value exists.
    CQVVariant scratch;
    return stream->ReadValue(&scratch);
  } catch (const CXException&) {
    return FALSE;
  }
}

void CIXStorParam::SetValue(const char* path, const tagQVVARIANT* value) {
  try {
    CXString childPath;
    const char* lastName;
    if (param_path::SplitLast(path, childPath, lastName)) {
      QVRef<IParam> child(WalkToChild(childPath, TRUE, FALSE));
      if (child) child->SetValue(lastName, value);
      return;
    }
    const char* name = param_path::ValueName(path);
    QVRef<IXStorageElement> stream(Storage()->OpenStream(name));
    if (!stream) stream.Reset(Storage()->CreateStream(name));
    if (!stream) return;
    const CQVVariant empty;
    stream->WriteValue(value ? value : &empty);
  } catch (const CXException&) {
  }
}

void CIXStorParam::DeleteValue(const char* name) {
  try {
    Storage()->DestroyStream(param_path::ValueName(name));
  } catch (const CXException&) {
  }
}

void CIXStorParam::DeleteAllValues() {
  try {
    CNameSnapshot names(Storage()->EnumStreams());
    for (CNameSnapshot::Node* node = names.First(); node; node = node->next) DeleteValue(node->value);
  } catch (const CXException&) {
  }
}

CTEnum<const char*>* CIXStorParam::EnumValues() {
  try {
    return Storage()->EnumStreams();
  } catch (const CXException&) {
    return nullptr;
  }
}

void CIXStorParam::RemoveAll() {
  try {
    IXStorage* storage = Storage();
    {
      CNameSnapshot storages(storage->EnumStorages());
      for (CNameSnapshot::Node* node = storages.First(); node; node = node->next)
        storage->DestroyStorage(node->value);
    }
    {
      CNameSnapshot streams(storage->EnumStreams());
      for (CNameSnapshot::Node* node = streams.First(); node; node = node->next)
        storage->DestroyStream(node->value);
    }
    storage->CommitStorage();
    QVRef<IXStorage> enclosing(storage->GetParentStorage());
    // The store lets its storage go: its registration must not outlive the reference.
    m_ifaces.Register(nullptr, typeid(IXStorage), FALSE);
    m_storage = nullptr;
    storage->Release();
    if (enclosing) {
      enclosing->DestroyStorage(m_name);
      enclosing->CommitStorage();
    }
  } catch (const CXException&) {
  }
}

extern "C" IParam* new_IXStorParam(IXStorage* storage) {
  if (!storage) throw CXIFaceException(typeid(IXStorage));
  return new CIXStorParam(storage, "Root", nullptr);
}
