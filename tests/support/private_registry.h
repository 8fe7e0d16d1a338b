// Private HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER trees for one test: both predefined keys of
// this process are redirected to scratch keys below HKCU\Software\TarnwickTests and put back,
// with the scratch keys removed, when the object goes. The private machine tree holds
// "Software\Wow6432Node", which makes Wine keep the 32-bit and the 64-bit view apart inside it
// exactly as on 64-bit Windows.
#pragma once

#include <windows.h>

#include <string>

#include "base/handles.h"

class PrivateRegistry {
 public:
  // suite names the scratch key; every object of a process gets its own.
  explicit PrivateRegistry(const std::string& suite);
  ~PrivateRegistry();
  PrivateRegistry(const PrivateRegistry&) = delete;
  PrivateRegistry& operator=(const PrivateRegistry&) = delete;

  // False when the trees could not be made or the keys not redirected.
  bool ok() const { return ok_; }
  // The scratch key below the real HKEY_CURRENT_USER.
  const std::string& ScratchPath() const { return scratch_; }
  // The result of removing the scratch trees, once the object is gone (checked by the tests).
  static LONG LastCleanup();

 private:
  std::string scratch_;
  fw::RegKey machine_;
  fw::RegKey user_;
  bool ok_ = false;
};

// Deletes rawPath below parent with everything in it, without view redirection. Keys whose
// access list was narrowed are opened up first.
LONG DeleteRawTree(HKEY parent, const std::string& rawPath);
