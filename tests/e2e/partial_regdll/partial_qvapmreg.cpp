// A registration library that lacks the clean-up entries, for what the program says then.
#include <windows.h>

extern "C" __declspec(dllexport) int __cdecl RegisterAppInProfileEx(const char*, const char*, const char*, int) {
  return 0;
}
