// Utilities over any parameter store: deep copy, one-sided comparison, the whole tree as
// one text string and back, and a dump of its names to the debugger output.
#pragma once

#include "base/xstring.h"
#include "param/api.h"
#include "param/param.h"

extern "C" {
// Copies children (recursively) and values of src into dst: values of the same name are
// replaced, everything else in dst stays. A copy into a part of its own source copies the
// source as it was when the copy began. Null src or dst throws CXIFaceException (IParam).
TW_PARAM_API void Param_CopyTo(IParam* src, IParam* dst);
// TRUE when b holds every value of a with an equal value and, recursively, every child of
// a; what only b has does not count. FALSE when either is null.
TW_PARAM_API BOOL Param_Cmp(IParam* a, IParam* b);
// Reads text in the INI text form (entries separated by "|") into dst. FALSE for null dst.
TW_PARAM_API BOOL Param_String2Param(CXString& text, IParam* dst);
// The tree in the INI text form as one string: every line followed by "|", as
// "[\]|x=i5|[\a]|v=shi|". FALSE for null src (text then stays as it was).
TW_PARAM_API BOOL Param_Param2String(IParam* src, CXString& text);
// Sends the value names (" name \n") and, for each child, "--- name ---\n" and the child's
// dump to the debugger output. Null throws CXIFaceException (IParam).
TW_PARAM_API void Dump_Param(IParam* p);
}
