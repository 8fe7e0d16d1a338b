# The program folder's files, relative to the build folder: Tarnwick.exe with what it loads from its
# own folder (the registration library, the library DLL and the GCC runtime). Sourced by
# `make dist` and `make run`, so that the two folders cannot differ.
# shellcheck disable=SC2034
runtime_dlls=(bin/libgcc_s_dw2-1.dll bin/libstdc++-6.dll bin/libwinpthread-1.dll)
# shellcheck disable=SC2034
program_files=(bin/Tarnwick.exe bin/QvApmReg.dll bin/TarnwickBase.dll "${runtime_dlls[@]}")
