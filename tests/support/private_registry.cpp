#include "tests/support/private_registry.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include <cstring>
#include <map>
#include <utility>

namespace {

LONG g_lastCleanup = ERROR_SUCCESS;

LONG ApplyAccess(HKEY root, const std::string& path, const char* sddl, REGSAM view) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr))
    return static_cast<LONG>(::GetLastError());
  fw::RegKey key;
  LONG result = ::RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC | view, key.put());
  if (result == ERROR_SUCCESS) result = ::RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor);
  ::LocalFree(descriptor);
  return result;
}

fw::RegKey Open(HKEY root, const std::string& path, REGSAM view) {
  fw::RegKey key;
  ::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, key.put());
  return key;
}

std::vector<std::string> Names(HKEY root, const std::string& path, REGSAM view, bool values) {
  std::vector<std::string> names;
  fw::RegKey key = Open(root, path, view);
  if (!key) return names;
  std::vector<char> name(16384);
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(name.size());
    const LONG result =
        values ? ::RegEnumValueA(key.get(), i, name.data(), &length, nullptr, nullptr, nullptr, nullptr)
               : ::RegEnumKeyExA(key.get(), i, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (result != ERROR_SUCCESS) break;
    names.emplace_back(name.data(), length);
  }
  return names;
}

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string text;
  for (unsigned char c : bytes) text += {digits[c >> 4], digits[c & 15]};
  return text;
}

void DumpKey(HKEY key, const std::string& relative, REGSAM view, std::string& out) {
  for (const std::string& name : Names(key, "", view, true)) {
    const StoredValue value = inspect::Value(key, "", name, view);
    out += relative + "|" + name + "|" + std::to_string(value.type) + "|" + Hex(value.bytes) + "\n";
  }
  for (const std::string& name : Names(key, "", view, false)) {
    fw::RegKey child = Open(key, name, view);
    out += relative + "\\" + name + (child ? "\n" : " (unreadable)\n");
    if (child) DumpKey(child.get(), relative + "\\" + name, view, out);
  }
}

}  // namespace

PrivateRegistry::PrivateRegistry(const std::string& suite, Views views) {
  static int counter = 0;
  scratch_ = "Software\\TarnwickTests\\" + suite + "-" + std::to_string(::GetCurrentProcessId()) + "-" +
             std::to_string(++counter);
  machine_ = seed::CreatePath(HKEY_CURRENT_USER, scratch_ + "\\HKLM", KEY_WOW64_64KEY);
  user_ = seed::CreatePath(HKEY_CURRENT_USER, scratch_ + "\\HKCU", KEY_WOW64_64KEY);
  if (!machine_ || !user_) return;
  ok_ = (views == kViewsTogether ||
         seed::CreatePath(machine_.get(), "Software\\Wow6432Node", KEY_WOW64_64KEY)) &&
        ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine_.get()) == ERROR_SUCCESS &&
        ::RegOverridePredefKey(HKEY_CURRENT_USER, user_.get()) == ERROR_SUCCESS;
  EXPECT_TRUE(ok_) << "no private registry below " << scratch_;
}

PrivateRegistry::~PrivateRegistry() {
  ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
  ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  machine_.reset();
  user_.reset();
  g_lastCleanup = RemoveTree(HKEY_CURRENT_USER, scratch_, KEY_WOW64_64KEY);
}

LONG PrivateRegistry::LastCleanup() { return g_lastCleanup; }

std::string PrivateRegistry::RawMachinePath(REGSAM view, const std::string& path) {
  const std::string software = "Software\\";
  if (view == KEY_WOW64_64KEY || path.compare(0, software.size(), software) != 0) return path;
  return "Software\\Wow6432Node\\" + path.substr(software.size());
}

std::ostream& operator<<(std::ostream& out, const StoredValue& value) {
  if (!value.exists) return out << "(missing)";
  std::string text = value.bytes;
  for (char& c : text)
    if (c < 0x20 || c == 0x7F) c = '.';
  return out << "type " << value.type << " bytes [" << Hex(value.bytes) << "] \"" << text << "\"";
}

StoredValue Sz(const std::string& text) { return StoredValue{true, REG_SZ, text + std::string(1, '\0')}; }

StoredValue Dword(DWORD value) {
  return StoredValue{true, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value)};
}

StoredValue Missing() { return StoredValue{}; }

LONG RemoveTree(HKEY root, const std::string& path, REGSAM view) {
  ApplyAccess(root, path, "D:(A;;KA;;;WD)", view);
  // Below the opened key: full paths of deep keys can be longer than the registry functions take.
  if (fw::RegKey key = Open(root, path, view))
    for (const std::string& name : Names(key.get(), "", view, false)) RemoveTree(key.get(), name, view);
  return ::RegDeleteKeyExA(root, path.c_str(), view, 0);
}

namespace seed {

fw::RegKey CreatePath(HKEY root, const std::string& path, REGSAM view, DWORD options) {
  fw::RegKey key;
  EXPECT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(root, path.c_str(), 0, nullptr, options, KEY_ALL_ACCESS | view,
                                             nullptr, key.put(), nullptr))
      << "creating " << path;
  return key;
}

void SetRaw(HKEY root, const std::string& path, const std::string& name, DWORD type, const std::string& bytes,
            REGSAM view) {
  fw::RegKey key = seed::CreatePath(root, path, view);
  EXPECT_EQ(ERROR_SUCCESS,
            ::RegSetValueExA(key.get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())))
      << path << " " << name;
}

void SetString(HKEY root, const std::string& path, const std::string& name, const std::string& text,
               REGSAM view) {
  SetRaw(root, path, name, REG_SZ, Sz(text).bytes, view);
}

void SetDword(HKEY root, const std::string& path, const std::string& name, DWORD value, REGSAM view) {
  SetRaw(root, path, name, REG_DWORD, Dword(value).bytes, view);
}

void SetAccess(HKEY root, const std::string& path, const char* sddl, REGSAM view) {
  EXPECT_EQ(ERROR_SUCCESS, ApplyAccess(root, path, sddl, view)) << path;
}

void DenyReading(HKEY root, const std::string& path) {
  CreatePath(root, path);
  SetAccess(root, path, "D:(D;;KR;;;WD)(A;;KA;;;WD)");
  fw::RegKey probe;
  EXPECT_NE(ERROR_SUCCESS, ::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, probe.put()))
      << "the registry does not honour the denying security descriptor";
}

OwnedKeys::~OwnedKeys() {
  for (auto it = owned_.rbegin(); it != owned_.rend(); ++it) RemoveTree(it->root, it->path, it->view);
}

void OwnedKeys::Own(HKEY root, const std::string& path, REGSAM view) {
  RemoveTree(root, path, view);
  owned_.push_back({root, path, view});
}

std::string UniqueName(const std::string& head) {
  static int counter = 0;
  return head + std::to_string(::GetCurrentProcessId()) + "X" + std::to_string(++counter);
}

}  // namespace seed

namespace inspect {

bool KeyExists(HKEY root, const std::string& path, REGSAM view) {
  fw::RegKey key;
  const LONG result = ::RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE | view, key.put());
  return result == ERROR_SUCCESS || result == ERROR_ACCESS_DENIED;
}

StoredValue Value(HKEY root, const std::string& path, const std::string& name, REGSAM view) {
  fw::RegKey key = Open(root, path, view);
  DWORD type = 0, size = 0;
  if (!key || ::RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return Missing();
  // Pre-filled, so that bytes the registry did not write show.
  std::string bytes(size, '\x5A');
  if (::RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]),
                         &size) != ERROR_SUCCESS)
    return Missing();
  bytes.resize(size);
  return StoredValue{true, type, bytes};
}

std::string Text(HKEY root, const std::string& path, const std::string& name, REGSAM view) {
  StoredValue value = Value(root, path, name, view);
  if (!value.exists) return "(missing)";
  if (value.type != REG_SZ) return "(type " + std::to_string(value.type) + ")";
  if (value.bytes.empty() || value.bytes.back() != '\0') return "(unterminated)";
  value.bytes.pop_back();
  return value.bytes;
}

std::vector<std::string> SubkeyNames(HKEY root, const std::string& path, REGSAM view) {
  return Names(root, path, view, false);
}

std::vector<std::string> ValueNames(HKEY root, const std::string& path, REGSAM view) {
  return Names(root, path, view, true);
}

std::string DumpTree(HKEY root, const std::string& path, REGSAM view) {
  fw::RegKey key = Open(root, path, view);
  if (!key) return "(missing)";
  std::string out;
  DumpKey(key.get(), "", view, out);
  return out;
}

std::string LinkOrder(HKEY root, const std::string& linksKey, REGSAM view) {
  // Keyed by LoadOrder, those without one after all others; equal keys keep the order they are found in.
  std::multimap<unsigned long long, std::string> links;
  for (const std::string& name : SubkeyNames(root, linksKey, view)) {
    const StoredValue order = Value(root, linksKey + "\\" + name, "LoadOrder", view);
    DWORD number = 0;
    if (order.type == REG_DWORD && order.bytes.size() == sizeof number)
      memcpy(&number, order.bytes.data(), 4);
    links.emplace(number ? number : 1ULL << 32, name + "=" + std::to_string(number));
  }
  std::string text;
  for (const auto& link : links) text += (text.empty() ? "" : " ") + link.second;
  return text;
}

}  // namespace inspect
