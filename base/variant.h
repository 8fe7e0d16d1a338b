// Variants: the tagged record tagQVVARIANT, the class CQVVariant around it, and the
// exported functions that initialise, clear, copy and convert records.
#pragma once

#include <windows.h>

#include "base/api.h"
#include "base/blob.h"
#include "base/unknown.h"

class CXString;

struct tagRSIZE {
  double cx, cy;
};
struct tagRPOINT {
  double x, y;
};
// Right and bottom inclusive (those of tagRECT are exclusive).
struct tagRRECT {
  double left, top, right, bottom;
};

// Type codes.
enum : unsigned short {
  QVT_EMPTY = 0,
  QVT_BOOL = 1,
  QVT_UI1 = 2,    // unsigned char
  QVT_UI2 = 3,    // unsigned short
  QVT_ULONG = 4,  // unsigned long
  QVT_INT = 5,
  QVT_UINT = 6,
  QVT_LONG = 7,
  QVT_DOUBLE = 8,
  QVT_FLOAT = 9,
  QVT_STRING = 10,  // owned copy from the default heap
  QVT_SIZE = 11,
  QVT_RSIZE = 12,
  QVT_POINT = 13,
  QVT_RPOINT = 14,
  QVT_RECT = 15,
  QVT_RRECT = 16,
  QVT_BLOB = 17,     // data owned
  QVT_UNKNOWN = 18,  // one reference held
  QVT_LAST = 18,
  QVT_UNKNOWN_NOREF = 16384  // interface pointer, not owned
};

struct tagQVVARIANT {
  unsigned short vt;
  union {
    BOOL boolVal;
    unsigned char bVal;
    unsigned short uiVal;
    unsigned long ulVal;
    int intVal;
    unsigned int uintVal;
    long lVal;
    double dblVal;
    float fltVal;
    char* pszVal;
    tagSIZE sizeVal;
    tagRSIZE rsizeVal;
    tagPOINT ptVal;
    tagRPOINT rptVal;
    tagRECT rcVal;
    tagRRECT rrcVal;
    tagQVBLOB blobVal;
    IQVUnknown* punkVal;
    double reserved[4];
  };
};

extern "C" {
TW_BASE_API void QVVariantInit(tagQVVARIANT* v);
// Frees what the type owns (string, blob data, interface reference), then initialises.
TW_BASE_API void QVVariantClear(tagQVVARIANT* v);
// dst becomes an owning copy of src.
TW_BASE_API void QVVariantCopy(tagQVVARIANT* dst, const tagQVVARIANT* src);
// Converts src to type into dst. A failed conversion leaves a distinct dst empty and a
// conversion in place unchanged.
TW_BASE_API BOOL QVVariantChangeType(tagQVVARIANT* dst, const tagQVVARIANT* src, unsigned short type);
// v takes a value of type from plain memory; for a string, value points at the characters
// (copied); a blob's data pointer is taken over; an interface gets one reference.
TW_BASE_API BOOL QVVariantBindFromValue(unsigned short type, void* value, tagQVVARIANT* v);
// Writes v's value, read as type, into plain memory; for a string, value holds a char*
// (freed, then replaced by a fresh copy); for an interface, an IQVUnknown* (released, then
// replaced with one reference). Strings and interfaces are only written from a variant of
// that type.
TW_BASE_API BOOL QVVariantBindToValue(unsigned short type, void* value, tagQVVARIANT* v);
}

class TW_BASE_API CQVVariant : public tagQVVARIANT {
 public:
  CQVVariant();
  CQVVariant(const tagQVVARIANT& source);
  CQVVariant(const tagQVVARIANT* source);
  CQVVariant(const CQVVariant& source);
  CQVVariant(const char* text);  // null gives a string variant holding null
  CQVVariant(const CXString& text);
  // With type QVT_BOOL the variant holds (value != 0), else the value's own type.
  CQVVariant(unsigned char value, unsigned short type = 0);
  CQVVariant(unsigned short value, unsigned short type = 0);
  CQVVariant(unsigned long value, unsigned short type = 0);
  CQVVariant(int value, unsigned short type = 0);
  CQVVariant(unsigned int value, unsigned short type = 0);
  CQVVariant(long value, unsigned short type = 0);
  CQVVariant(double value);
  CQVVariant(float value);
  CQVVariant(const tagSIZE& value);
  CQVVariant(const tagRSIZE& value);
  CQVVariant(const tagPOINT& value);
  CQVVariant(const tagRPOINT& value);
  CQVVariant(const tagRECT& value);
  CQVVariant(const tagRRECT& value);
  CQVVariant(const tagQVBLOB& value);
  CQVVariant(IQVUnknown* value);  // one reference added when not null
  ~CQVVariant();

  CQVVariant& operator=(const CQVVariant& source);
  CQVVariant& operator=(const tagQVVARIANT& source);
  CQVVariant& operator=(unsigned char value);  // always type 2
  // The integer assignments keep a BOOL variant a BOOL, holding (value != 0).
  CQVVariant& operator=(unsigned short value);
  CQVVariant& operator=(unsigned long value);
  CQVVariant& operator=(int value);
  CQVVariant& operator=(unsigned int value);
  CQVVariant& operator=(long value);
  CQVVariant& operator=(double value);
  CQVVariant& operator=(float value);
  CQVVariant& operator=(const char* text);
  CQVVariant& operator=(const CXString& text);
  CQVVariant& operator=(const tagSIZE& value);
  CQVVariant& operator=(const tagRSIZE& value);
  CQVVariant& operator=(const tagPOINT& value);
  CQVVariant& operator=(const tagRPOINT& value);
  CQVVariant& operator=(const tagRECT& value);
  CQVVariant& operator=(const tagRRECT& value);
  CQVVariant& operator=(const tagQVBLOB& value);
  CQVVariant& operator=(IQVUnknown* value);

  // The value field read as the type, whatever the type code; pointers are not copies and
  // carry no reference.
  operator unsigned char() const { return bVal; }
  operator unsigned short() const { return uiVal; }
  operator unsigned long() const { return ulVal; }
  operator int() const { return intVal; }
  operator unsigned int() const { return uintVal; }
  operator long() const { return lVal; }
  operator double() const { return dblVal; }
  operator float() const { return fltVal; }
  operator char*() const { return pszVal; }
  operator tagSIZE() const { return sizeVal; }
  operator tagRSIZE() const { return rsizeVal; }
  operator tagPOINT() const { return ptVal; }
  operator tagRPOINT() const { return rptVal; }
  operator tagRECT() const { return rcVal; }
  operator tagRRECT() const { return rrcVal; }
  operator tagQVBLOB() const { return blobVal; }
  operator IQVUnknown*() const { return punkVal; }

  void Clear();
  // Converts src into this variant; with src null converts in place (TRUE at once when the
  // variant already has the type).
  BOOL ChangeType(unsigned short type, tagQVVARIANT* src = nullptr);
  // Takes over the record's contents and leaves it empty.
  void Attach(tagQVVARIANT& source);
  // Hands out the contents and leaves this variant empty, without freeing.
  tagQVVARIANT Detach();
  BOOL BindToValue(unsigned short type, void* value);
  BOOL BindFromValue(unsigned short type, void* value);

  BOOL operator==(const tagQVVARIANT& other) const;
  BOOL operator==(const tagQVVARIANT* other) const;
  BOOL operator!=(const tagQVVARIANT& other) const { return !(*this == other); }

 private:
  // Clears unless the variant already holds type, then sets the type code.
  void Become(unsigned short type);
  void SetInteger(unsigned short type, long long value, unsigned short typeArgument);
};
