// Product information as this build declares it, and the help service that this build lacks.
#pragma once

#include <windows.h>

#include "base/api.h"
#include "base/unknown.h"

// One process-wide object; operations in this slot order.
struct IOemInfo : IQVUnknown {
  // The program's name from its string table, in the UI language.
  virtual const char* GetProductName() = 0;
  // Do nothing.
  virtual void Reserved1() = 0;
  virtual void Reserved2() = 0;
  virtual void Reserved3() = 0;
  // From the fixed part of the version resource: major number in the low 16 bits, minor number in the
  // high 16 bits; 0 without a version resource.
  virtual DWORD GetProductVersion() = 0;
  // The notice that follows the copyright line.
  virtual const char* GetOemText1() = 0;
  // Empty in this build.
  virtual const char* GetOemField1() = 0;
  virtual const char* GetOemField2() = 0;
  virtual const char* GetOemField3() = 0;
  virtual const char* GetOemField4() = 0;
  // The ProductVersion text of the version resource; "" without one.
  virtual const char* GetProductVersionString() = 0;
  // Returns 0.
  virtual long GetOemValue(long first, long second, long third, long fourth) = 0;
  // A link: its target, then after the target's terminating zero the text to show.
  virtual const char* GetOemText2() = 0;  // technical support
  virtual const char* GetOemText3() = 0;  // the web site
};

// A help service; none is available in this build.
struct IHelpService : IQVUnknown {};

extern "C" {
// The product information object with one reference for the caller.
TW_BASE_API IOemInfo* new_IOemInfo();
// Returns null.
TW_BASE_API IHelpService* Get_IHelpService();
}
