// Export macro of the parameter stores, in the base library's scheme (base/api.h).
//
// TWPARAM_BUILD   the library's own sources: everything is exported from the module.
// TWPARAM_STATIC  code linked with the static library in the same module: plain declarations.
// neither         an add-on compiled against the headers imports from Tarnwick.exe.
#pragma once

#if defined(TWPARAM_BUILD)
#define TW_PARAM_API __declspec(dllexport)
#elif defined(TWPARAM_STATIC)
#define TW_PARAM_API
#else
#define TW_PARAM_API __declspec(dllimport)
#endif
