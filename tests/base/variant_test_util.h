// Helpers shared by the variant tests.
#pragma once

#include <string.h>

#include "base/unknown_impl.h"
#include "base/variant.h"

// A reference-counted object whose count the tests can read.
class CountedObject : public CQVUnknownImpl<IQVUnknown> {
 public:
  long Count() {
    AddRef();
    return Release();
  }
};

// A variant of each type code 0 to 18 with a representative value.
inline void MakeSample(unsigned short type, CQVVariant& v, IQVUnknown* object) {
  static unsigned char bytes[3] = {1, 2, 3};
  switch (type) {
    case QVT_EMPTY:
      v.Clear();
      break;
    case QVT_BOOL:
      v = CQVVariant(1, QVT_BOOL);
      break;
    case QVT_UI1:
      v = CQVVariant(static_cast<unsigned char>(200));
      break;
    case QVT_UI2:
      v = CQVVariant(static_cast<unsigned short>(60000));
      break;
    case QVT_ULONG:
      v = CQVVariant(4000000000ul);
      break;
    case QVT_INT:
      v = CQVVariant(-5);
      break;
    case QVT_UINT:
      v = CQVVariant(4000000000u);
      break;
    case QVT_LONG:
      v = CQVVariant(-70000l);
      break;
    case QVT_DOUBLE:
      v = CQVVariant(2.75);
      break;
    case QVT_FLOAT:
      v = CQVVariant(1.5f);
      break;
    case QVT_STRING:
      v = CQVVariant("12abc");
      break;
    case QVT_SIZE:
      v = CQVVariant(tagSIZE{3, 4});
      break;
    case QVT_RSIZE:
      v = CQVVariant(tagRSIZE{1.5, -2.5});
      break;
    case QVT_POINT:
      v = CQVVariant(tagPOINT{5, 6});
      break;
    case QVT_RPOINT:
      v = CQVVariant(tagRPOINT{-0.5, 7.49});
      break;
    case QVT_RECT:
      v = CQVVariant(tagRECT{1, 2, 3, 4});
      break;
    case QVT_RRECT:
      v = CQVVariant(tagRRECT{0.5, -0.5, 9.4, 9.6});
      break;
    case QVT_BLOB:
      v = CQVVariant(tagQVBLOB{3, bytes});
      break;
    case QVT_UNKNOWN:
      v = CQVVariant(object);
      break;
  }
}
