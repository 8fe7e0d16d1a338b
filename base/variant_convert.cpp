// QVVariantChangeType: the conversion rules between variant types.
#include <math.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "base/alloc.h"
#include "base/variant.h"

namespace {

bool IsInteger(unsigned short type) { return type <= QVT_LONG; }  // empty counts as 0
bool IsNumber(unsigned short type) { return type <= QVT_FLOAT; }

// The value of an integer type (0 to 7).
long long IntegerOf(const tagQVVARIANT& v) {
  switch (v.vt) {
    case QVT_BOOL:
      return v.boolVal;
    case QVT_UI1:
      return v.bVal;
    case QVT_UI2:
      return v.uiVal;
    case QVT_ULONG:
      return v.ulVal;
    case QVT_INT:
      return v.intVal;
    case QVT_UINT:
      return v.uintVal;
    case QVT_LONG:
      return v.lVal;
    default:
      return 0;
  }
}

// The value of a number type (0 to 9).
double NumberOf(const tagQVVARIANT& v) {
  if (v.vt == QVT_DOUBLE) return v.dblVal;
  if (v.vt == QVT_FLOAT) return v.fltVal;
  return static_cast<double>(IntegerOf(v));
}

// Truncates toward zero, kept within [low, high] (NaN gives 0) so no value is undefined.
long long Truncate(double x, double low, double high) {
  if (isnan(x)) return 0;
  if (x <= low) return static_cast<long long>(low);
  if (x >= high) return static_cast<long long>(high);
  return static_cast<long long>(x);
}

// A coordinate to the nearest whole number: x + 0.5 truncated for x >= 0, x - 0.4999999
// truncated below.
long Round(double x) {
  const double shifted = x >= 0 ? x + 0.5 : x - 0.4999999;
  return static_cast<long>(Truncate(shifted, -2147483648.0, 2147483647.0));
}

// Reads one field of a string with a sscanf format; false unless exactly one was read.
template <class T>
bool Scan(const char* text, const char* format, T* out) {
  return text && sscanf(text, format, out) == 1;
}

char* Print(const char* format, ...) {
  char buffer[512];
  va_list args;
  va_start(args, format);
  const int written = _vsnprintf(buffer, sizeof buffer - 1, format, args);
  va_end(args);
  buffer[written < 0 ? sizeof buffer - 1 : static_cast<size_t>(written)] = 0;
  return QVStrDup(buffer);
}

BOOL ToInteger32(tagQVVARIANT* dst, const tagQVVARIANT& src, unsigned short type) {
  const bool isSigned = type != QVT_UINT;
  long long value;
  if (IsInteger(src.vt)) {
    value = IntegerOf(src);
  } else if (src.vt == QVT_DOUBLE || src.vt == QVT_FLOAT) {
    value = isSigned ? Truncate(NumberOf(src), -2147483648.0, 2147483647.0)
                     : Truncate(NumberOf(src), 0, 4294967295.0);
  } else if (src.vt == QVT_STRING) {
    if (isSigned) {
      int read;
      if (!Scan(src.pszVal, "%d", &read)) return FALSE;
      value = read;
    } else {
      unsigned read;
      if (!Scan(src.pszVal, "%u", &read)) return FALSE;
      value = read;
    }
  } else {
    return FALSE;
  }
  // Integer sources keep their bit pattern, as a C conversion would.
  dst->uintVal = static_cast<unsigned int>(value);
  return TRUE;
}

BOOL ToString(tagQVVARIANT* dst, const tagQVVARIANT& src) {
  switch (src.vt) {
    case QVT_EMPTY:
      dst->pszVal = QVStrDup("");
      return TRUE;
    case QVT_BOOL:
      dst->pszVal = QVStrDup(src.boolVal ? "Yes" : "No");
      return TRUE;
    case QVT_UI1:
    case QVT_UI2:
      dst->pszVal = Print("%hu", static_cast<unsigned short>(IntegerOf(src)));
      return TRUE;
    case QVT_ULONG:
    case QVT_UINT:
      dst->pszVal = Print("%u", static_cast<unsigned>(IntegerOf(src)));
      return TRUE;
    case QVT_INT:
    case QVT_LONG:
      dst->pszVal = Print("%d", static_cast<int>(IntegerOf(src)));
      return TRUE;
    case QVT_DOUBLE:
      dst->pszVal = Print("%lg", src.dblVal);
      return TRUE;
    case QVT_FLOAT:
      dst->pszVal = Print("%g", static_cast<double>(src.fltVal));
      return TRUE;
    case QVT_STRING:
      dst->pszVal = QVStrDup(src.pszVal);
      return TRUE;
    default:
      return FALSE;
  }
}

// Converts into dst, which is empty; on failure dst stays empty.
BOOL Convert(tagQVVARIANT* dst, const tagQVVARIANT& src, unsigned short type) {
  BOOL done = FALSE;
  switch (type) {
    case QVT_EMPTY:
      return TRUE;
    case QVT_BOOL:
      if ((done = IsNumber(src.vt))) dst->boolVal = NumberOf(src) != 0;
      break;
    case QVT_UI1:
      if ((done = IsInteger(src.vt))) dst->bVal = static_cast<unsigned char>(IntegerOf(src));
      break;
    case QVT_UI2:
      if ((done = IsInteger(src.vt))) dst->uiVal = static_cast<unsigned short>(IntegerOf(src));
      break;
    case QVT_ULONG:
      if (IsInteger(src.vt)) {
        dst->ulVal = static_cast<unsigned long>(IntegerOf(src));
        done = TRUE;
      } else if (src.vt == QVT_STRING) {
        done = Scan(src.pszVal, "%lu", &dst->ulVal);
      }
      break;
    case QVT_INT:
    case QVT_UINT:
    case QVT_LONG:
      done = ToInteger32(dst, src, type);
      break;
    case QVT_DOUBLE:
      if ((done = IsNumber(src.vt)))
        dst->dblVal = NumberOf(src);
      else if (src.vt == QVT_STRING)
        done = Scan(src.pszVal, "%lf", &dst->dblVal);
      break;
    case QVT_FLOAT:
      if ((done = IsNumber(src.vt)))
        dst->fltVal = static_cast<float>(NumberOf(src));
      else if (src.vt == QVT_STRING)
        done = Scan(src.pszVal, "%f", &dst->fltVal);
      break;
    case QVT_STRING:
      done = ToString(dst, src);
      break;
    case QVT_SIZE:
    case QVT_POINT:
      if (src.vt == type) {
        dst->sizeVal = src.sizeVal;
        done = TRUE;
      } else if (src.vt == type + 1) {  // the double variant of the same record
        dst->sizeVal.cx = Round(src.rsizeVal.cx);
        dst->sizeVal.cy = Round(src.rsizeVal.cy);
        done = TRUE;
      }
      break;
    case QVT_RSIZE:
    case QVT_RPOINT:
      if (src.vt == type) {
        dst->rsizeVal = src.rsizeVal;
        done = TRUE;
      } else if (src.vt == type - 1) {
        dst->rsizeVal.cx = src.sizeVal.cx;
        dst->rsizeVal.cy = src.sizeVal.cy;
        done = TRUE;
      }
      break;
    case QVT_RECT:
      if (src.vt == QVT_RECT) {
        dst->rcVal = src.rcVal;
        done = TRUE;
      } else if (src.vt == QVT_RRECT) {
        dst->rcVal.left = Round(src.rrcVal.left);
        dst->rcVal.top = Round(src.rrcVal.top);
        dst->rcVal.right = Round(src.rrcVal.right) + 1;
        dst->rcVal.bottom = Round(src.rrcVal.bottom) + 1;
        done = TRUE;
      }
      break;
    case QVT_RRECT:
      if (src.vt == QVT_RRECT) {
        dst->rrcVal = src.rrcVal;
        done = TRUE;
      } else if (src.vt == QVT_RECT) {
        dst->rrcVal.left = src.rcVal.left;
        dst->rrcVal.top = src.rcVal.top;
        dst->rrcVal.right = static_cast<double>(src.rcVal.right) - 1;
        dst->rrcVal.bottom = static_cast<double>(src.rcVal.bottom) - 1;
        done = TRUE;
      }
      break;
    case QVT_BLOB:
      if ((done = src.vt == QVT_BLOB)) {
        dst->blobVal.cbSize = src.blobVal.cbSize;
        dst->blobVal.pBlobData = QVBlob::CopyData(src.blobVal);
      }
      break;
    case QVT_UNKNOWN:
      if ((done = src.vt == QVT_UNKNOWN)) {
        dst->punkVal = src.punkVal;
        if (dst->punkVal) dst->punkVal->AddRef();
      }
      break;
    case QVT_UNKNOWN_NOREF:
      if ((done = src.vt == QVT_UNKNOWN || src.vt == QVT_UNKNOWN_NOREF)) dst->punkVal = src.punkVal;
      break;
    default:
      break;
  }
  if (!done) {
    QVVariantInit(dst);
    return FALSE;
  }
  dst->vt = type;
  return TRUE;
}

}  // namespace

extern "C" BOOL QVVariantChangeType(tagQVVARIANT* dst, const tagQVVARIANT* src, unsigned short type) {
  if (!dst || !src) return FALSE;
  if (dst == src) {
    tagQVVARIANT result;
    QVVariantInit(&result);
    if (!Convert(&result, *src, type)) return FALSE;  // the value in place stays as it was
    QVVariantClear(dst);
    *dst = result;
    return TRUE;
  }
  QVVariantClear(dst);
  return Convert(dst, *src, type);
}
