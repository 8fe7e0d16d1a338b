// Export macro of the translation library, in the scheme of base/api.h.
//
// TWTRANSLATE_BUILD   the library's own sources: everything is exported from the module.
// TWTRANSLATE_STATIC  code linked with the static library in the same module: plain declarations.
// neither             an add-on compiled against the headers imports from Tarnwick.exe.
#pragma once

#if defined(TWTRANSLATE_BUILD)
#define TW_TRANSLATE_API __declspec(dllexport)
#elif defined(TWTRANSLATE_STATIC)
#define TW_TRANSLATE_API
#else
#define TW_TRANSLATE_API __declspec(dllimport)
#endif
