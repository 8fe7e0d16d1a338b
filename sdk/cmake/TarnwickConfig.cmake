# find_package(Tarnwick CONFIG REQUIRED) for add-ons built with mingw-w64 (32-bit, i686):
#   Tarnwick::Tarnwick      the base library, imported from TarnwickBase.dll
#   Tarnwick::Program       the same names imported from Tarnwick.exe, which forwards them to the DLL
#   Tarnwick_RUNTIME_FILES  TarnwickBase.dll and the GCC runtime DLLs, to go beside the add-on
# Both targets make the add-on link the GCC runtime as DLLs (-shared-libgcc), which the library's
# exceptions need to reach it.
get_filename_component(_tarnwick_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

if(NOT TARGET Tarnwick::Tarnwick)
  add_library(Tarnwick::Tarnwick SHARED IMPORTED)
  set_target_properties(Tarnwick::Tarnwick PROPERTIES
    IMPORTED_LOCATION "${_tarnwick_root}/bin/TarnwickBase.dll"
    IMPORTED_IMPLIB "${_tarnwick_root}/lib/libTarnwickBase.dll.a"
    INTERFACE_INCLUDE_DIRECTORIES "${_tarnwick_root}/include"
    INTERFACE_LINK_OPTIONS "-shared-libgcc")
endif()
if(NOT TARGET Tarnwick::Program)
  add_library(Tarnwick::Program UNKNOWN IMPORTED)
  set_target_properties(Tarnwick::Program PROPERTIES
    IMPORTED_LOCATION "${_tarnwick_root}/lib/libTarnwick.dll.a"
    INTERFACE_INCLUDE_DIRECTORIES "${_tarnwick_root}/include"
    INTERFACE_LINK_OPTIONS "-shared-libgcc")
endif()

set(Tarnwick_RUNTIME_FILES
    "${_tarnwick_root}/bin/TarnwickBase.dll"
    "${_tarnwick_root}/bin/libgcc_s_dw2-1.dll"
    "${_tarnwick_root}/bin/libstdc++-6.dll"
    "${_tarnwick_root}/bin/libwinpthread-1.dll")
unset(_tarnwick_root)
