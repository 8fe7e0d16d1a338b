// Export macro of the parameter stores, in the base library's scheme (base/api.h).
//
// TWPARAM_BUILD   the library's own sources: everything is exported from the module.
// TWPARAM_STATIC  the program's own libraries and the test programs: plain declarations,
//                 resolved by the archives (tests) or by the DLL's import library (the program).
// neither         an add-on compiled against the headers imports from TarnwickBase.dll
//                 (or from Tarnwick.exe, which forwards each name to it).
#pragma once

#if defined(TWPARAM_BUILD)
#define TW_PARAM_API __declspec(dllexport)
#elif defined(TWPARAM_STATIC)
#define TW_PARAM_API
#else
#define TW_PARAM_API __declspec(dllimport)
#endif
