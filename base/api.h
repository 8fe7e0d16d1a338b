// Export macro of the base library.
//
// TWBASE_BUILD   the library's own sources: everything is exported from the module.
// TWBASE_STATIC  the program's own libraries and the test programs: plain declarations,
//                resolved by the archives (tests) or by the DLL's import library (the program).
// neither        an add-on compiled against the headers imports from TarnwickBase.dll
//                (or from Tarnwick.exe, which forwards each name to it).
#pragma once

#if defined(TWBASE_BUILD)
#define TW_BASE_API __declspec(dllexport)
#elif defined(TWBASE_STATIC)
#define TW_BASE_API
#else
#define TW_BASE_API __declspec(dllimport)
#endif
