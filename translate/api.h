// Export macro of the translation library, in the scheme of base/api.h.
//
// TWTRANSLATE_BUILD   the library's own sources: everything is exported from the module.
// TWTRANSLATE_STATIC  the program's own libraries and the test programs: plain declarations,
//                     resolved by the archives (tests) or by the DLL's import library (the program).
// neither             an add-on compiled against the headers imports from TarnwickBase.dll
//                     (or from Tarnwick.exe, which forwards each name to it).
#pragma once

#if defined(TWTRANSLATE_BUILD)
#define TW_TRANSLATE_API __declspec(dllexport)
#elif defined(TWTRANSLATE_STATIC)
#define TW_TRANSLATE_API
#else
#define TW_TRANSLATE_API __declspec(dllimport)
#endif
