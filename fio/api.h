// Export macro of the file layer, the same scheme as base/api.h.
//
// TWFIO_BUILD   the library's own sources: everything is exported from the module.
// TWFIO_STATIC  the program's own libraries and the test programs: plain declarations,
//               resolved by the archives (tests) or by the DLL's import library (the program).
// neither       an add-on compiled against the headers imports from TarnwickBase.dll
//               (or from Tarnwick.exe, which forwards each name to it).
#pragma once

#if defined(TWFIO_BUILD)
#define TW_FIO_API __declspec(dllexport)
#elif defined(TWFIO_STATIC)
#define TW_FIO_API
#else
#define TW_FIO_API __declspec(dllimport)
#endif
