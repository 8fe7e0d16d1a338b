// The one registry fixture of the test programs: private HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER
// trees for one test, and the helpers that seed and inspect keys (private or, for whole-program
// tests, the prefix's own).
#pragma once

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "base/handles.h"

// Both predefined keys of this process are redirected to scratch keys below
// HKCU\Software\TarnwickTests and put back, with the scratch keys removed, when the object goes.
class PrivateRegistry {
 public:
  // Apart: the private machine tree holds "Software\Wow6432Node", which makes Wine keep the 32-bit
  // and the 64-bit view apart inside it exactly as on 64-bit Windows. Together: it does not, so a
  // key written in one view is found in the other (tests of the 64-bit scan on one seeded tree).
  enum Views { kViewsApart, kViewsTogether };

  // suite names the scratch key; every object of a process gets its own.
  explicit PrivateRegistry(const std::string& suite, Views views = kViewsApart);
  ~PrivateRegistry();
  PrivateRegistry(const PrivateRegistry&) = delete;
  PrivateRegistry& operator=(const PrivateRegistry&) = delete;

  // False when the trees could not be made or the keys not redirected.
  bool ok() const { return ok_; }
  // The result of removing the scratch trees, once the object is gone (checked by the tests).
  static LONG LastCleanup();
  // Where a key of the given view really lives in a private machine tree whose views are apart;
  // read it with KEY_WOW64_64KEY.
  static std::string RawMachinePath(REGSAM view, const std::string& path);

 private:
  std::string scratch_;
  fw::RegKey machine_;
  fw::RegKey user_;
  bool ok_ = false;
};

// Removes root\path with everything below it, also keys that deny reading; the result of the last deletion.
LONG RemoveTree(HKEY root, const std::string& path, REGSAM view = 0);

// A value as found in the registry: missing, or its type and bytes.
struct StoredValue {
  bool exists = false;
  DWORD type = REG_NONE;
  std::string bytes;
  bool operator==(const StoredValue& other) const {
    return exists == other.exists && (!exists || (type == other.type && bytes == other.bytes));
  }
};
std::ostream& operator<<(std::ostream& out, const StoredValue& value);
StoredValue Sz(const std::string& text);  // REG_SZ with its terminating zero
StoredValue Dword(DWORD value);
StoredValue Missing();

// Seeding fails the running test when the registry refuses. view is 0 or KEY_WOW64_64KEY/32KEY.
namespace seed {

fw::RegKey CreatePath(HKEY root, const std::string& path, REGSAM view = 0, DWORD options = 0);
void SetString(HKEY root, const std::string& path, const std::string& name, const std::string& text,
               REGSAM view = 0);
void SetDword(HKEY root, const std::string& path, const std::string& name, DWORD value, REGSAM view = 0);
// Stores the bytes exactly as given, with the given type.
void SetRaw(HKEY root, const std::string& path, const std::string& name, DWORD type, const std::string& bytes,
            REGSAM view = 0);
// Gives the key a new access list (SDDL).
void SetAccess(HKEY root, const std::string& path, const char* sddl, REGSAM view = 0);
// Lets nobody read the key (so that opening it fails), while it can still be deleted.
void DenyReading(HKEY root, const std::string& path);
// Keys of the prefix's real registry that a whole-program test seeds: removed when owned and again
// at the end.
class OwnedKeys {
 public:
  OwnedKeys() = default;
  ~OwnedKeys();
  OwnedKeys(const OwnedKeys&) = delete;
  OwnedKeys& operator=(const OwnedKeys&) = delete;
  void Own(HKEY root, const std::string& path, REGSAM view = 0);

 private:
  struct Owned {
    HKEY root;
    std::string path;
    REGSAM view;
  };
  std::vector<Owned> owned_;
};

// A name that no other test run uses.
std::string UniqueName(const std::string& head);

}  // namespace seed

namespace inspect {

// Also true for a key that denies reading.
bool KeyExists(HKEY root, const std::string& path, REGSAM view = 0);
StoredValue Value(HKEY root, const std::string& path, const std::string& name, REGSAM view = 0);
// A REG_SZ value's text without its terminator; "(missing)", "(type N)" or "(unterminated)" otherwise.
std::string Text(HKEY root, const std::string& path, const std::string& name, REGSAM view = 0);
// Names in enumeration order.
std::vector<std::string> SubkeyNames(HKEY root, const std::string& path, REGSAM view = 0);
std::vector<std::string> ValueNames(HKEY root, const std::string& path, REGSAM view = 0);
// Every value and subkey below path, one line each ("path|name|type|hex bytes"), paths
// relative to path: two trees are equal when their dumps are.
std::string DumpTree(HKEY root, const std::string& path, REGSAM view = 0);
// The links below linksKey in the order the program reads them back (by LoadOrder, those without
// one last), "name=order" each.
std::string LinkOrder(HKEY root, const std::string& linksKey, REGSAM view = 0);

}  // namespace inspect
