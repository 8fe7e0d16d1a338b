// CQVVariant: construction, assignment, conversion in place and equality.
#include <math.h>
#include <string.h>

#include "base/alloc.h"
#include "base/variant.h"
#include "base/xstring.h"

CQVVariant::CQVVariant() { QVVariantInit(this); }

CQVVariant::CQVVariant(const tagQVVARIANT& source) {
  QVVariantInit(this);
  QVVariantCopy(this, &source);
}

CQVVariant::CQVVariant(const tagQVVARIANT* source) {
  QVVariantInit(this);
  if (source) QVVariantCopy(this, source);
}

CQVVariant::CQVVariant(const CQVVariant& source) : CQVVariant(static_cast<const tagQVVARIANT&>(source)) {}

CQVVariant::CQVVariant(const char* text) {
  QVVariantInit(this);
  vt = QVT_STRING;
  pszVal = QVStrDup(text);
}

CQVVariant::CQVVariant(const CXString& text) : CQVVariant(static_cast<const char*>(text)) {}

void CQVVariant::SetInteger(unsigned short type, long long value, unsigned short typeArgument) {
  QVVariantInit(this);
  if (typeArgument == QVT_BOOL) {
    vt = QVT_BOOL;
    boolVal = value != 0;
    return;
  }
  vt = type;
  switch (type) {
    case QVT_UI1:
      bVal = static_cast<unsigned char>(value);
      break;
    case QVT_UI2:
      uiVal = static_cast<unsigned short>(value);
      break;
    default:
      uintVal = static_cast<unsigned int>(value);  // the 32-bit types share the bits
      break;
  }
}

CQVVariant::CQVVariant(unsigned char value, unsigned short type) { SetInteger(QVT_UI1, value, type); }
CQVVariant::CQVVariant(unsigned short value, unsigned short type) { SetInteger(QVT_UI2, value, type); }
CQVVariant::CQVVariant(unsigned long value, unsigned short type) { SetInteger(QVT_ULONG, value, type); }
CQVVariant::CQVVariant(int value, unsigned short type) { SetInteger(QVT_INT, value, type); }
CQVVariant::CQVVariant(unsigned int value, unsigned short type) { SetInteger(QVT_UINT, value, type); }
CQVVariant::CQVVariant(long value, unsigned short type) { SetInteger(QVT_LONG, value, type); }

CQVVariant::CQVVariant(double value) {
  QVVariantInit(this);
  vt = QVT_DOUBLE;
  dblVal = value;
}

CQVVariant::CQVVariant(float value) {
  QVVariantInit(this);
  vt = QVT_FLOAT;
  fltVal = value;
}

#define QV_RECORD_CONSTRUCTOR(Type, code, field) \
  CQVVariant::CQVVariant(const Type& value) {    \
    QVVariantInit(this);                         \
    vt = code;                                   \
    field = value;                               \
  }
QV_RECORD_CONSTRUCTOR(tagSIZE, QVT_SIZE, sizeVal)
QV_RECORD_CONSTRUCTOR(tagRSIZE, QVT_RSIZE, rsizeVal)
QV_RECORD_CONSTRUCTOR(tagPOINT, QVT_POINT, ptVal)
QV_RECORD_CONSTRUCTOR(tagRPOINT, QVT_RPOINT, rptVal)
QV_RECORD_CONSTRUCTOR(tagRECT, QVT_RECT, rcVal)
QV_RECORD_CONSTRUCTOR(tagRRECT, QVT_RRECT, rrcVal)
#undef QV_RECORD_CONSTRUCTOR

CQVVariant::CQVVariant(const tagQVBLOB& value) {
  QVVariantInit(this);
  vt = QVT_BLOB;
  blobVal.cbSize = value.cbSize;
  blobVal.pBlobData = QVBlob::CopyData(value);
}

CQVVariant::CQVVariant(IQVUnknown* value) {
  QVVariantInit(this);
  vt = QVT_UNKNOWN;
  punkVal = value;
  if (punkVal) punkVal->AddRef();
}

CQVVariant::~CQVVariant() { QVVariantClear(this); }

void CQVVariant::Become(unsigned short type) {
  if (vt != type) {
    QVVariantClear(this);
    vt = type;
  }
}

CQVVariant& CQVVariant::operator=(const CQVVariant& source) {
  QVVariantCopy(this, &source);
  return *this;
}

CQVVariant& CQVVariant::operator=(const tagQVVARIANT& source) {
  QVVariantCopy(this, &source);
  return *this;
}

CQVVariant& CQVVariant::operator=(unsigned char value) {
  Become(QVT_UI1);
  bVal = value;
  return *this;
}

#define QV_INTEGER_ASSIGNMENT(Type, code, field)  \
  CQVVariant& CQVVariant::operator=(Type value) { \
    if (vt == QVT_BOOL) {                         \
      boolVal = value != 0;                       \
    } else {                                      \
      Become(code);                               \
      field = value;                              \
    }                                             \
    return *this;                                 \
  }
QV_INTEGER_ASSIGNMENT(unsigned short, QVT_UI2, uiVal)
QV_INTEGER_ASSIGNMENT(unsigned long, QVT_ULONG, ulVal)
QV_INTEGER_ASSIGNMENT(int, QVT_INT, intVal)
QV_INTEGER_ASSIGNMENT(unsigned int, QVT_UINT, uintVal)
QV_INTEGER_ASSIGNMENT(long, QVT_LONG, lVal)
#undef QV_INTEGER_ASSIGNMENT

#define QV_PLAIN_ASSIGNMENT(Type, code, field)           \
  CQVVariant& CQVVariant::operator=(const Type& value) { \
    Become(code);                                        \
    field = value;                                       \
    return *this;                                        \
  }
QV_PLAIN_ASSIGNMENT(tagSIZE, QVT_SIZE, sizeVal)
QV_PLAIN_ASSIGNMENT(tagRSIZE, QVT_RSIZE, rsizeVal)
QV_PLAIN_ASSIGNMENT(tagPOINT, QVT_POINT, ptVal)
QV_PLAIN_ASSIGNMENT(tagRPOINT, QVT_RPOINT, rptVal)
QV_PLAIN_ASSIGNMENT(tagRECT, QVT_RECT, rcVal)
QV_PLAIN_ASSIGNMENT(tagRRECT, QVT_RRECT, rrcVal)
#undef QV_PLAIN_ASSIGNMENT

CQVVariant& CQVVariant::operator=(double value) {
  Become(QVT_DOUBLE);
  dblVal = value;
  return *this;
}

CQVVariant& CQVVariant::operator=(float value) {
  Become(QVT_FLOAT);
  fltVal = value;
  return *this;
}

// The copy is made before the old value goes: text may point into this variant's string.
CQVVariant& CQVVariant::operator=(const char* text) {
  char* copy = QVStrDup(text);
  QVVariantClear(this);
  vt = QVT_STRING;
  pszVal = copy;
  return *this;
}

CQVVariant& CQVVariant::operator=(const CXString& text) { return *this = static_cast<const char*>(text); }

CQVVariant& CQVVariant::operator=(const tagQVBLOB& value) {
  unsigned char* copy = QVBlob::CopyData(value);
  const unsigned long size = value.cbSize;
  QVVariantClear(this);
  vt = QVT_BLOB;
  blobVal.cbSize = size;
  blobVal.pBlobData = copy;
  return *this;
}

CQVVariant& CQVVariant::operator=(IQVUnknown* value) {
  if (value) value->AddRef();
  QVVariantClear(this);
  vt = QVT_UNKNOWN;
  punkVal = value;
  return *this;
}

void CQVVariant::Clear() { QVVariantClear(this); }

BOOL CQVVariant::ChangeType(unsigned short type, tagQVVARIANT* src) {
  if (!src) {
    if (vt == type) return TRUE;
    src = this;
  }
  return QVVariantChangeType(this, src, type);
}

void CQVVariant::Attach(tagQVVARIANT& source) {
  if (&source == this) return;
  QVVariantClear(this);
  memcpy(static_cast<tagQVVARIANT*>(this), &source, sizeof source);
  source.vt = QVT_EMPTY;
}

tagQVVARIANT CQVVariant::Detach() {
  tagQVVARIANT contents = *this;
  vt = QVT_EMPTY;
  return contents;
}

BOOL CQVVariant::BindToValue(unsigned short type, void* value) {
  return QVVariantBindToValue(type, value, this);
}

BOOL CQVVariant::BindFromValue(unsigned short type, void* value) {
  return QVVariantBindFromValue(type, value, this);
}

namespace {

bool Near(double a, double b) { return a - 0.001 <= b && b <= a + 0.001; }

template <class Rect>
bool IsEmptyRect(const Rect& r) {
  return r.left >= r.right || r.top >= r.bottom;
}

bool SameString(const char* a, const char* b) {
  if (!a) a = "";
  if (!b) b = "";
  const size_t length = strlen(a);
  return length == strlen(b) && memcmp(a, b, length) == 0;
}

}  // namespace

BOOL CQVVariant::operator==(const tagQVVARIANT& other) const {
  if (&other == this) return TRUE;
  if (vt != other.vt || vt > QVT_LAST) return FALSE;
  switch (vt) {
    case QVT_EMPTY:
      return TRUE;
    case QVT_UI1:
      return bVal == other.bVal;
    case QVT_UI2:
      return uiVal == other.uiVal;
    case QVT_BOOL:
    case QVT_ULONG:
    case QVT_INT:
    case QVT_UINT:
    case QVT_LONG:
    case QVT_UNKNOWN:
      return uintVal == other.uintVal;
    case QVT_DOUBLE:
      return dblVal == other.dblVal;
    case QVT_FLOAT:
      return fltVal == other.fltVal;
    case QVT_STRING:
      return SameString(pszVal, other.pszVal);
    case QVT_SIZE:
    case QVT_POINT:
      return sizeVal.cx == other.sizeVal.cx && sizeVal.cy == other.sizeVal.cy;
    case QVT_RSIZE:
    case QVT_RPOINT:
      return Near(rsizeVal.cx, other.rsizeVal.cx) && Near(rsizeVal.cy, other.rsizeVal.cy);
    case QVT_RECT:
      return (rcVal.left == other.rcVal.left && rcVal.top == other.rcVal.top &&
              rcVal.right == other.rcVal.right && rcVal.bottom == other.rcVal.bottom) ||
             (IsEmptyRect(rcVal) && IsEmptyRect(other.rcVal));
    case QVT_RRECT:
      return (Near(rrcVal.left, other.rrcVal.left) && Near(rrcVal.top, other.rrcVal.top) &&
              Near(rrcVal.right, other.rrcVal.right) && Near(rrcVal.bottom, other.rrcVal.bottom)) ||
             (IsEmptyRect(rrcVal) && IsEmptyRect(other.rrcVal));
    case QVT_BLOB:
      return QVBlob::Equal(blobVal, other.blobVal);
    default:
      return FALSE;
  }
}

BOOL CQVVariant::operator==(const tagQVVARIANT* other) const { return other && *this == *other; }
