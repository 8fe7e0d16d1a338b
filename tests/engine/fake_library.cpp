#include "fake_library.h"

#include <gtest/gtest.h>

namespace {

using LogFn = const char*(__cdecl*)();
using ResetFn = void(__cdecl*)();

FARPROC FakeEntry(const RegistrationLibrary& library, const char* name) {
  HMODULE module = ::GetModuleHandleA(library.LoadedPath().c_str());
  return module ? ::GetProcAddress(module, name) : nullptr;
}

}  // namespace

FakeRegistrationLibrary::FakeRegistrationLibrary() : library_(ProgramFolder() + "engine-fake-regdll\\") {
  EXPECT_TRUE(library_.IsLoaded()) << "the recording library is missing beside the test";
  Reset();
}

std::string FakeRegistrationLibrary::Log() const {
  LogFn log = reinterpret_cast<LogFn>(FakeEntry(library_, "FakeRegLog"));
  return log ? log() : "(no recording library)";
}

void FakeRegistrationLibrary::Reset() const {
  ResetFn reset = reinterpret_cast<ResetFn>(FakeEntry(library_, "FakeRegReset"));
  if (reset) reset();
}

const RegistrationLibrary& MissingRegistrationLibrary() {
  static RegistrationLibrary missing(ProgramFolder() + "no-such-folder\\deeper\\");
  return missing;
}
