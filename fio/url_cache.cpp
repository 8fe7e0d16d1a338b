// Fio_DownloadToCacheFile: a download through the system's internet cache.
#include <urlmon.h>
#include <wininet.h>

#include "fio/url.h"

namespace {

// Watches the binding for the server's HTTP status: the cache keeps an error page like any
// other answer, and that page is not the file that was asked for.
class HttpStatusWatch : public IBindStatusCallback, public IHttpNegotiate {
 public:
  DWORD Status() const { return m_status; }

  // Lives on the caller's stack for the one synchronous call: no counting needed.
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IBindStatusCallback) {
      *out = static_cast<IBindStatusCallback*>(this);
    } else if (iid == IID_IHttpNegotiate) {
      *out = static_cast<IHttpNegotiate*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }

  STDMETHODIMP OnStartBinding(DWORD, IBinding*) override { return S_OK; }
  STDMETHODIMP GetPriority(LONG*) override { return E_NOTIMPL; }
  STDMETHODIMP OnLowResource(DWORD) override { return S_OK; }
  STDMETHODIMP OnProgress(ULONG, ULONG, ULONG, LPCWSTR) override { return S_OK; }
  STDMETHODIMP OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
  STDMETHODIMP GetBindInfo(DWORD*, BINDINFO*) override { return E_NOTIMPL; }
  STDMETHODIMP OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return S_OK; }
  STDMETHODIMP OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

  STDMETHODIMP BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additionalHeaders) override {
    if (additionalHeaders) *additionalHeaders = nullptr;
    return S_OK;
  }
  STDMETHODIMP OnResponse(DWORD status, LPCWSTR, LPCWSTR, LPWSTR* additionalHeaders) override {
    m_status = status;
    if (additionalHeaders) *additionalHeaders = nullptr;
    return S_OK;
  }

 private:
  DWORD m_status = 0;  // stays 0 for schemes without HTTP status
};

}  // namespace

const char* Fio_DownloadToCacheFile(const char* url) {
  static char name[512];
  if (!Fio_PathIsURL(url)) return nullptr;
  HttpStatusWatch watch;
  name[0] = 0;
  if (FAILED(URLDownloadToCacheFileA(nullptr, url, name, sizeof name, 16, &watch))) return nullptr;
  if (watch.Status() >= 400) {
    DeleteUrlCacheEntryA(url);  // a later call must not find the error page either
    return nullptr;
  }
  return name[0] ? name : nullptr;
}
