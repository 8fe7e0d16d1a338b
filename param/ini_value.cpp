#include "param/ini_value.h"

#include <ctype.h>
#include <locale.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "base/alloc.h"
#include "base/mbcs.h"

namespace {

const int kMaxStringBytes = 1023;
const int kRealDigits = 14;

// Switches the C library's numeric locale to "C" for one conversion and back.
class CNumericLocaleC {
 public:
  CNumericLocaleC() {
    const char* current = setlocale(LC_NUMERIC, nullptr);
    if (current && strcmp(current, "C") != 0 && strlen(current) < sizeof m_saved) {
      strcpy(m_saved, current);
      setlocale(LC_NUMERIC, "C");
    }
  }
  ~CNumericLocaleC() {
    if (m_saved[0]) setlocale(LC_NUMERIC, m_saved);
  }
  CNumericLocaleC(const CNumericLocaleC&) = delete;
  CNumericLocaleC& operator=(const CNumericLocaleC&) = delete;

 private:
  char m_saved[128] = {};
};

// ---- reading ----

// One integer field at p; base 16 when the rest of the text holds an "x".
template <class T>
bool ReadInteger(const char*& p, T& value) {
  const int base = strpbrk(p, "xX") ? 16 : 10;
  char* end;
  if (static_cast<T>(-1) < 0)
    value = static_cast<T>(strtol(p, &end, base));
  else
    value = static_cast<T>(strtoul(p, &end, base));
  if (end == p) return false;
  p = end;
  return true;
}

bool ReadReal(const char*& p, double& value) {
  char* end;
  {
    CNumericLocaleC locale;
    value = strtod(p, &end);
  }
  if (end == p) return false;
  p = end;
  return true;
}

// Between two fields: past the next ",".
bool SkipSeparator(const char*& p) {
  const char* comma = strchr(p, ',');
  if (!comma) return false;
  p = comma + 1;
  return true;
}

template <class T, size_t N>
bool ReadIntegers(const char* p, T (&fields)[N]) {
  for (size_t i = 0; i < N; ++i)
    if ((i > 0 && !SkipSeparator(p)) || !ReadInteger(p, fields[i])) return false;
  return true;
}

template <size_t N>
bool ReadReals(const char* p, double (&fields)[N]) {
  for (size_t i = 0; i < N; ++i)
    if ((i > 0 && !SkipSeparator(p)) || !ReadReal(p, fields[i])) return false;
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ReadBool(const char* p, BOOL& value) {
  if (isdigit(static_cast<unsigned char>(*p))) {
    long number;
    if (!ReadInteger(p, number) || (number != 0 && number != 1)) return false;
    value = number == 1;
    return true;
  }
  if (*p == 'Y' || *p == 'y') {
    value = TRUE;
    return true;
  }
  if (*p == 'N' || *p == 'n') {
    value = FALSE;
    return true;
  }
  return false;
}

// Fills v (already empty) from the text after the letter.
bool ReadTyped(char letter, const char* p, tagQVVARIANT& v) {
  switch (letter) {
    case 'e':
      v.vt = QVT_EMPTY;
      return true;
    case 'f':
      v.vt = QVT_BOOL;
      return ReadBool(p, v.boolVal);
    case 'b': {
      const int high = HexDigit(p[0]);
      const int low = high < 0 ? -1 : HexDigit(p[1]);
      if (low < 0) return false;
      v.vt = QVT_UI1;
      v.bVal = static_cast<unsigned char>(high << 4 | low);
      return true;
    }
    case 'w': {
      unsigned long number;
      if (!ReadInteger(p, number) || number > 65535) return false;
      v.vt = QVT_UI2;
      v.uiVal = static_cast<unsigned short>(number);
      return true;
    }
    case 'W':
      v.vt = QVT_ULONG;
      return ReadInteger(p, v.ulVal);
    case 'i':
      v.vt = QVT_INT;
      return ReadInteger(p, v.intVal);
    case 'u':
      v.vt = QVT_UINT;
      return ReadInteger(p, v.uintVal);
    case 'l':
      v.vt = QVT_LONG;
      return ReadInteger(p, v.lVal);
    case 'R':
      v.vt = QVT_DOUBLE;
      return ReadReal(p, v.dblVal);
    case 'r': {
      double real;
      if (!ReadReal(p, real)) return false;
      v.vt = QVT_FLOAT;
      v.fltVal = static_cast<float>(real);
      return true;
    }
    case 's':
      v.pszVal = QVStrDup(p);
      v.vt = QVT_STRING;
      return true;
    case 'z':
    case 'p': {
      long fields[2];
      if (!ReadIntegers(p, fields)) return false;
      v.vt = letter == 'z' ? QVT_SIZE : QVT_POINT;
      v.sizeVal.cx = fields[0];
      v.sizeVal.cy = fields[1];
      return true;
    }
    case 'Z':
    case 'P': {
      double fields[2];
      if (!ReadReals(p, fields)) return false;
      v.vt = letter == 'Z' ? QVT_RSIZE : QVT_RPOINT;
      v.rsizeVal.cx = fields[0];
      v.rsizeVal.cy = fields[1];
      return true;
    }
    case 't': {
      long fields[4];
      if (!ReadIntegers(p, fields)) return false;
      v.vt = QVT_RECT;
      v.rcVal = {fields[0], fields[1], fields[2], fields[3]};
      return true;
    }
    case 'T': {
      double fields[4];
      if (!ReadReals(p, fields)) return false;
      v.vt = QVT_RRECT;
      v.rrcVal = {fields[0], fields[1], fields[2], fields[3]};
      return true;
    }
    default:
      return false;
  }
}

// ---- writing ----

void AppendReal(double value, CXString& out) {
  char text[64];
  {
    CNumericLocaleC locale;
    _gcvt(value, kRealDigits, text);
  }
  out += text;
}

void AppendReals(const double* values, int count, CXString& out) {
  for (int i = 0; i < count; ++i) {
    if (i > 0) out += ',';
    AppendReal(values[i], out);
  }
}

void AppendPrinted(CXString& out, const char* format, ...) {
  char text[96];
  va_list args;
  va_start(args, format);
  _vsnprintf(text, sizeof text - 1, format, args);
  va_end(args);
  text[sizeof text - 1] = 0;
  out += text;
}

// At most kMaxStringBytes bytes of whole characters, ending before a line break.
void AppendLineText(const char* text, CXString& out) {
  if (!text) return;
  const char* end = text;
  while (*end && *end != '\r' && *end != '\n') {
    const size_t bytes = mbcs::CharBytes(end);
    if (end - text + bytes > static_cast<size_t>(kMaxStringBytes)) break;
    end += bytes;
  }
  const int length = static_cast<int>(end - text);
  CXString piece;
  char* buffer = piece.GetBuffer(length);
  memcpy(buffer, text, length);
  buffer[length] = 0;
  piece.ReleaseBuffer();
  out += piece;
}

}  // namespace

char IniTypeLetter(unsigned short type) {
  static const char kLetters[] = "efbwWiulRrszZpPtT";  // types 0 to 16
  return type < sizeof kLetters - 1 ? kLetters[type] : 0;
}

bool IniFormatValue(const tagQVVARIANT& v, CXString& out) {
  const char letter = IniTypeLetter(v.vt);
  if (!letter) return false;
  out += letter;
  switch (v.vt) {
    case QVT_EMPTY:
      break;
    case QVT_BOOL:
      out += v.boolVal ? '1' : '0';
      break;
    case QVT_UI1:
      AppendPrinted(out, "%02X", v.bVal);
      break;
    case QVT_UI2:
      AppendPrinted(out, "%u", v.uiVal);
      break;
    case QVT_ULONG:
      AppendPrinted(out, "%lu", v.ulVal);
      break;
    case QVT_INT:
      AppendPrinted(out, "%d", v.intVal);
      break;
    case QVT_UINT:
      AppendPrinted(out, "%u", v.uintVal);
      break;
    case QVT_LONG:
      AppendPrinted(out, "%ld", v.lVal);
      break;
    case QVT_DOUBLE:
      AppendReal(v.dblVal, out);
      break;
    case QVT_FLOAT:
      AppendReal(v.fltVal, out);
      break;
    case QVT_STRING:
      AppendLineText(v.pszVal, out);
      break;
    case QVT_SIZE:
    case QVT_POINT:
      AppendPrinted(out, "%ld,%ld", v.sizeVal.cx, v.sizeVal.cy);
      break;
    case QVT_RSIZE:
    case QVT_RPOINT:
      AppendReals(&v.rsizeVal.cx, 2, out);
      break;
    case QVT_RECT:
      AppendPrinted(out, "%ld,%ld,%ld,%ld", v.rcVal.left, v.rcVal.top, v.rcVal.right, v.rcVal.bottom);
      break;
    case QVT_RRECT:
      AppendReals(&v.rrcVal.left, 4, out);
      break;
  }
  return true;
}

bool IniParseValue(const char* text, tagQVVARIANT* out) {
  QVVariantClear(out);
  if (!text || !*text) return false;
  tagQVVARIANT value;
  QVVariantInit(&value);
  if (!ReadTyped(text[0], text + 1, value)) {
    QVVariantClear(&value);
    return false;
  }
  if (out)
    *out = value;
  else
    QVVariantClear(&value);
  return true;
}

bool IniNameFitsOnALine(const char* name) { return !name || !strpbrk(name, "\r\n"); }
