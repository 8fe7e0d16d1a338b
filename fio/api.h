// Export macro of the file layer, the same scheme as base/api.h.
//
// TWFIO_BUILD   the library's own sources: everything is exported from the module.
// TWFIO_STATIC  code linked with the static library in the same module: plain declarations.
// neither       an add-on compiled against the headers imports from Tarnwick.exe.
#pragma once

#if defined(TWFIO_BUILD)
#define TW_FIO_API __declspec(dllexport)
#elif defined(TWFIO_STATIC)
#define TW_FIO_API
#else
#define TW_FIO_API __declspec(dllimport)
#endif
