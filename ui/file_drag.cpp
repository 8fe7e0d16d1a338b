#include "ui/file_drag.h"

#include <ole2.h>
#include <shlobj.h>

#include "ui/launch.h"

namespace {

// Reference counting shared by the two objects; each lives on the heap until its last Release.
class RefCounted {
 protected:
  virtual ~RefCounted() = default;
  ULONG AddReference() { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
  ULONG ReleaseReference() {
    ULONG left = static_cast<ULONG>(::InterlockedDecrement(&references_));
    if (left == 0) delete this;
    return left;
  }

 private:
  LONG references_ = 1;
};

// The drag ends with a drop when the left button, which started it, is released.
class DropSource : public IDropSource, private RefCounted {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource)) {
      *object = static_cast<IDropSource*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return AddReference(); }
  STDMETHODIMP_(ULONG) Release() override { return ReleaseReference(); }

  STDMETHODIMP QueryContinueDrag(BOOL escapePressed, DWORD keyState) override {
    if (escapePressed) return DRAGDROP_S_CANCEL;
    if (!(keyState & MK_LBUTTON)) return DRAGDROP_S_DROP;
    return S_OK;
  }
  STDMETHODIMP GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

// Offers one format: the file list, made afresh for every request because the receiver frees it.
class FileListData : public IDataObject, private RefCounted {
 public:
  explicit FileListData(const std::string& path) : path_(path) {
    format_.cfFormat = CF_HDROP;
    format_.ptd = nullptr;
    format_.dwAspect = DVASPECT_CONTENT;
    format_.lindex = -1;
    format_.tymed = TYMED_HGLOBAL;
  }

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
      *object = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return AddReference(); }
  STDMETHODIMP_(ULONG) Release() override { return ReleaseReference(); }

  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (!format || !medium) return E_INVALIDARG;
    HRESULT offered = QueryGetData(format);
    if (offered != S_OK) return offered;
    fw::GlobalMemory files = MakeFileDropData(path_);
    if (!files) return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = files.release();  // the receiver frees it (no release object)
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  STDMETHODIMP QueryGetData(FORMATETC* format) override {
    if (!format) return E_INVALIDARG;
    if (format->cfFormat != CF_HDROP) return DV_E_FORMATETC;
    if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
    if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    return S_OK;
  }
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* result) override {
    if (result) result->ptd = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
    if (!formats) return E_POINTER;
    *formats = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    return ::SHCreateStdEnumFmtEtc(1, &format_, formats);
  }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  std::string path_;
  FORMATETC format_;
};

// Holds one reference and gives it back when it goes.
template <typename T>
class Reference {
 public:
  explicit Reference(T* object) : object_(object) {}
  ~Reference() { object_->Release(); }
  Reference(const Reference&) = delete;
  Reference& operator=(const Reference&) = delete;
  T* get() const { return object_; }

 private:
  T* object_;
};

}  // namespace

HRESULT DragFileOut(const std::string& path, DWORD allowedEffects, DWORD* effect) {
  Reference<IDataObject> data(new FileListData(path));
  Reference<IDropSource> source(new DropSource);
  DWORD chosen = DROPEFFECT_NONE;
  HRESULT result = ::DoDragDrop(data.get(), source.get(), allowedEffects, &chosen);
  if (effect) *effect = chosen;
  return result;
}
