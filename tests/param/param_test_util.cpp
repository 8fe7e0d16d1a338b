#include "tests/param/param_test_util.h"

#include <stdarg.h>
#include <stdio.h>

namespace {
std::string Printed(const char* format, ...) {
  char buffer[256];
  va_list args;
  va_start(args, format);
  vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}
}  // namespace

std::string Describe(const tagQVVARIANT& v) {
  switch (v.vt) {
    case QVT_EMPTY:
      return "e";
    case QVT_BOOL:
      return Printed("f:%d", v.boolVal);
    case QVT_UI1:
      return Printed("b:%u", v.bVal);
    case QVT_UI2:
      return Printed("w:%u", v.uiVal);
    case QVT_ULONG:
      return Printed("W:%lu", v.ulVal);
    case QVT_INT:
      return Printed("i:%d", v.intVal);
    case QVT_UINT:
      return Printed("u:%u", v.uintVal);
    case QVT_LONG:
      return Printed("l:%ld", v.lVal);
    case QVT_DOUBLE:
      return Printed("R:%.17g", v.dblVal);
    case QVT_FLOAT:
      return Printed("r:%.9g", v.fltVal);
    case QVT_STRING:
      return std::string("s:") + (v.pszVal ? v.pszVal : "<null>");
    case QVT_SIZE:
      return Printed("z:%ld,%ld", v.sizeVal.cx, v.sizeVal.cy);
    case QVT_RSIZE:
      return Printed("Z:%.17g,%.17g", v.rsizeVal.cx, v.rsizeVal.cy);
    case QVT_POINT:
      return Printed("p:%ld,%ld", v.ptVal.x, v.ptVal.y);
    case QVT_RPOINT:
      return Printed("P:%.17g,%.17g", v.rptVal.x, v.rptVal.y);
    case QVT_RECT:
      return Printed("t:%ld,%ld,%ld,%ld", v.rcVal.left, v.rcVal.top, v.rcVal.right, v.rcVal.bottom);
    case QVT_RRECT:
      return Printed("T:%.17g,%.17g,%.17g,%.17g", v.rrcVal.left, v.rrcVal.top, v.rrcVal.right,
                     v.rrcVal.bottom);
    case QVT_BLOB:
      return Printed("blob:%lu", v.blobVal.cbSize);
    default:
      return Printed("type%u", v.vt);
  }
}
