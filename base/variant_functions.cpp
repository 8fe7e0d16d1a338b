// The exported record functions: initialise, clear, copy, and moving values between a
// variant and plain memory.
#include <string.h>

#include "base/alloc.h"
#include "base/variant.h"

namespace {

// Bytes of the value in plain memory for the types whose value is copied as it stands.
size_t PlainValueBytes(unsigned short type) {
  switch (type) {
    case QVT_UI1:
      return 1;
    case QVT_UI2:
      return 2;
    case QVT_BOOL:
    case QVT_ULONG:
    case QVT_INT:
    case QVT_UINT:
    case QVT_LONG:
    case QVT_FLOAT:
      return 4;
    case QVT_DOUBLE:
    case QVT_SIZE:
    case QVT_POINT:
    case QVT_BLOB:
      return 8;
    case QVT_RSIZE:
    case QVT_RPOINT:
    case QVT_RECT:
      return 16;
    case QVT_RRECT:
      return 32;
    default:
      return 0;
  }
}

}  // namespace

extern "C" {

void QVVariantInit(tagQVVARIANT* v) {
  if (v) memset(v, 0, sizeof *v);
}

void QVVariantClear(tagQVVARIANT* v) {
  if (!v) return;
  switch (v->vt) {
    case QVT_STRING:
      QVFreeBlock(v->pszVal);
      break;
    case QVT_BLOB:
      QVFreeBlock(v->blobVal.pBlobData);
      break;
    case QVT_UNKNOWN:
      if (v->punkVal) v->punkVal->Release();
      break;
    default:
      break;
  }
  QVVariantInit(v);
}

void QVVariantCopy(tagQVVARIANT* dst, const tagQVVARIANT* src) {
  if (!dst || !src || dst == src) return;
  // Owned parts are copied before dst is cleared: src may live inside what dst owns.
  tagQVVARIANT copy = *src;
  switch (src->vt) {
    case QVT_STRING:
      copy.pszVal = QVStrDup(src->pszVal);
      break;
    case QVT_BLOB:
      copy.blobVal.pBlobData = QVBlob::CopyData(src->blobVal);
      break;
    case QVT_UNKNOWN:
      if (copy.punkVal) copy.punkVal->AddRef();
      break;
    default:
      break;
  }
  QVVariantClear(dst);
  *dst = copy;
}

BOOL QVVariantBindFromValue(unsigned short type, void* value, tagQVVARIANT* v) {
  if (!v) return FALSE;
  QVVariantClear(v);
  if (!value) return FALSE;
  if (type == QVT_STRING) {
    v->pszVal = QVStrDup(static_cast<const char*>(value));
  } else if (type == QVT_UNKNOWN) {
    v->punkVal = *static_cast<IQVUnknown**>(value);
    if (v->punkVal) v->punkVal->AddRef();
  } else if (const size_t bytes = PlainValueBytes(type)) {
    memcpy(&v->boolVal, value, bytes);
  } else {
    return FALSE;
  }
  v->vt = type;
  return TRUE;
}

BOOL QVVariantBindToValue(unsigned short type, void* value, tagQVVARIANT* v) {
  if (!v || !value || type == QVT_EMPTY || type > QVT_LAST) return FALSE;
  if (type == QVT_STRING) {
    if (v->vt != QVT_STRING) return FALSE;  // anything else is no pointer to copy from
    char** slot = static_cast<char**>(value);
    char* copy = QVStrDup(v->pszVal);
    QVFreeBlock(*slot);
    *slot = copy;
  } else if (type == QVT_UNKNOWN) {
    if (v->vt != QVT_UNKNOWN) return FALSE;
    IQVUnknown** slot = static_cast<IQVUnknown**>(value);
    if (v->punkVal) v->punkVal->AddRef();
    if (*slot) (*slot)->Release();
    *slot = v->punkVal;
  } else {
    memcpy(value, &v->boolVal, PlainValueBytes(type));
  }
  return TRUE;
}

}  // extern "C"
