// CXString: Format and Load.
#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

#include "base/xstring.h"

namespace {

enum ArgSize { SIZE_DEFAULT, SIZE_NARROW, SIZE_WIDE, SIZE_INT64 };

int ReadNumber(const char*& p) {
  int value = 0;
  while (isdigit(static_cast<unsigned char>(*p))) {
    if (value < 100000000) value = value * 10 + (*p - '0');
    ++p;
  }
  return value;
}

int Larger(int a, int b) { return a > b ? a : b; }

// Skips the size prefixes. The walk also understands the 64-bit prefixes ("I64", "ll") so
// that it takes every argument with its real width and never reads a number as a pointer;
// such a conversion still counts as the estimate rules say for its conversion letter.
ArgSize ReadSizePrefix(const char*& p) {
  ArgSize size = SIZE_DEFAULT;
  for (;;) {
    if (*p == 'F' || *p == 'L' || *p == 'N') {
      ++p;
    } else if (*p == 'h') {
      size = SIZE_NARROW;
      ++p;
    } else if (*p == 'l') {
      size = (p[1] == 'l') ? SIZE_INT64 : SIZE_WIDE;
      p += (p[1] == 'l') ? 2 : 1;
    } else if (*p == 'w') {
      size = SIZE_WIDE;
      ++p;
    } else if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
      size = SIZE_INT64;
      p += 3;
    } else if (p[0] == 'I' && p[1] == '3' && p[2] == '2') {
      p += 3;
    } else if (*p == 'I') {
      ++p;
    } else {
      return size;
    }
  }
}

int StringLength(const void* text, bool wide) {
  if (!text) return 6;  // "(null)"
  return static_cast<int>(wide ? wcslen(static_cast<const wchar_t*>(text))
                               : strlen(static_cast<const char*>(text)));
}

// The estimate of the result's length, by the rules of the format's conversions. It may be
// short; Format copes with that.
int EstimateLength(const char* format, va_list args) {
  int total = 0;
  for (const char* p = format; *p;) {
    if (*p != '%' || p[1] == '%') {
      ++total;
      p += (*p == '%') ? 2 : 1;
      continue;
    }
    ++p;
    for (;; ++p) {
      if (*p == '#')
        total += 2;
      else if (*p != '-' && *p != '+' && *p != '0' && *p != ' ')
        break;
    }
    int width = 0, precision = 0;
    if (*p == '*') {
      width = abs(va_arg(args, int));
      ++p;
    } else {
      width = ReadNumber(p);
    }
    if (*p == '.') {
      ++p;
      if (*p == '*') {
        precision = Larger(va_arg(args, int), 0);
        ++p;
      } else {
        precision = ReadNumber(p);
      }
    }
    const ArgSize size = ReadSizePrefix(p);
    const char conversion = *p;
    if (!conversion) break;
    ++p;
    switch (conversion) {
      case 'c':
      case 'C':
        (void)va_arg(args, int);
        total += 2;
        break;
      case 's':
      case 'S': {
        const bool wide = conversion == 'S' ? size != SIZE_NARROW : size == SIZE_WIDE;
        int length = Larger(StringLength(va_arg(args, const void*), wide), 1);
        length = Larger(length, width);
        if (precision > 0 && length > precision) length = precision;
        total += length;
        break;
      }
      case 'd':
      case 'i':
      case 'o':
      case 'u':
      case 'x':
      case 'X':
      case 'p':
        if (size == SIZE_INT64)
          (void)va_arg(args, long long);
        else
          (void)va_arg(args, int);
        total += Larger(32, width + precision);
        break;
      case 'e':
      case 'f':
      case 'g':
      case 'G':
        (void)va_arg(args, double);
        total += Larger(128, width + precision);
        break;
      case 'E':
      case 'a':
      case 'A':
        (void)va_arg(args, double);  // taken, but counts nothing
        break;
      case 'n':
        (void)va_arg(args, void*);
        break;
      default:
        break;
    }
  }
  return total;
}

}  // namespace

int CXString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int length = FormatV(format, args);
  va_end(args);
  return length;
}

// Formats into a string of its own, so arguments that point into this string stay valid.
// The buffer is reserved for the larger of the estimate and the length the C runtime
// measures, and the write is bounded by it: a short estimate never overflows the buffer.
int CXString::FormatV(const char* format, va_list args) {
  if (!format || !*format) {
    Empty();
    return 0;
  }
  va_list pass;
  va_copy(pass, args);
  const int estimate = EstimateLength(format, pass);
  va_end(pass);
  va_copy(pass, args);
  const int needed = _vscprintf(format, pass);
  va_end(pass);
  if (needed < 0) {  // a format the C runtime rejects
    Empty();
    return 0;
  }

  CXString result;
  const int room = estimate > needed ? estimate : needed;
  char* buffer = result.GetBuffer(room);
  va_copy(pass, args);
  _vsnprintf(buffer, static_cast<size_t>(room) + 1, format, pass);
  va_end(pass);
  buffer[needed] = 0;
  result.ReleaseBuffer();
  *this = result;
  return GetSize();
}

int CXString::Load(HINSTANCE module, UINT id) {
  for (int size = 256;; size += 256) {
    char* buffer = GetBuffer(size - 1);
    const int loaded = LoadStringA(module, id, buffer, size);
    if (loaded < size - 1) {
      buffer[loaded > 0 ? loaded : 0] = 0;
      ReleaseBuffer();
      if (loaded > 0) return 1;
      Empty();
      return 0;
    }
    ReleaseBuffer();
  }
}
