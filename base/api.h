// Export macro of the base library.
//
// TWBASE_BUILD   the library's own sources: everything is exported from the module.
// TWBASE_STATIC  code linked with the static library in the same module (the program's
//                other libraries and the test programs): plain declarations.
// neither        an add-on compiled against the headers imports from Tarnwick.exe.
#pragma once

#if defined(TWBASE_BUILD)
#define TW_BASE_API __declspec(dllexport)
#elif defined(TWBASE_STATIC)
#define TW_BASE_API
#else
#define TW_BASE_API __declspec(dllimport)
#endif
