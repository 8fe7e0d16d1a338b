// LoadConfiguration on a synthetic installation against the bare registry reads it
// makes, and the growth from 100 to 200 profiles per product. Prints figures only.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "base/handles.h"
#include "bench/bench_registry.h"
#include "engine/configuration.h"
#include "engine/discovery.h"

namespace {

const int kProducts = 10;
const int kApplications = 40;
const int kRepeats = 3;

void SeedProducts() {
  for (int p = 0; p < kProducts; ++p) {
    const std::string key = ProductKey(p);
    fw::RegKey product = Create(HKEY_LOCAL_MACHINE, key);
    SetText(product.get(), "ProductName", "AutoCAD " + std::to_string(2000 + p));
    SetText(product.get(), "Location", "C:\\Program Files\\AutoCAD " + std::to_string(2000 + p));
    const std::string root = key + "\\Applications\\Tarnwick";
    fw::RegKey orders = Create(HKEY_LOCAL_MACHINE, root + "\\StdLoadOrder");
    for (int a = 0; a < kApplications; ++a) {
      fw::RegKey app = Create(HKEY_LOCAL_MACHINE, root + "\\Applications\\" + AppName(a));
      SetText(app.get(), "Loader", "C:\\Apps\\" + AppName(a) + ".arx");
      SetText(app.get(), "Modules", AppName(a) + ".dll");
      SetText(app.get(), "MenuGroup", AppName(a));
      SetText(app.get(), "MenuFile", "C:\\Apps\\" + AppName(a) + ".mnu");
      SetText(app.get(), "Template", AppName(a) + ".dwt");
      SetNumber(app.get(), "Unloadable", 1);
      SetNumber(orders.get(), AppName(a).c_str(), (a * 7) % kApplications + 1);
    }
    fw::RegKey profiles = Create(HKEY_CURRENT_USER, key + "\\Profiles");
    SetText(profiles.get(), "", ProfileName(0));
  }
}

// Profiles [from, to) in every product, every application linked.
void SeedProfiles(int from, int to) {
  for (int p = 0; p < kProducts; ++p)
    for (int f = from; f < to; ++f) {
      const std::string path = ProductKey(p) + "\\Profiles\\" + ProfileName(f);
      fw::RegKey profile = Create(HKEY_CURRENT_USER, path);
      SetText(profile.get(), "", "Profile number " + std::to_string(f));
      for (int a = 0; a < kApplications; ++a) {
        fw::RegKey link = Create(HKEY_CURRENT_USER, path + "\\Tarnwick\\Applications\\" + AppName(a));
        SetNumber(link.get(), "LoadOrder", kApplications - a);
        SetNumber(link.get(), "MenuLoaded", a % 2);
      }
    }
}

// The bare reads: the keys LoadConfiguration opens, enumerates and queries, in the same
// order, with nothing kept.
struct BareReader {
  char name[260];
  BYTE data[520];

  bool Open(HKEY root, const std::string& path, REGSAM access, fw::RegKey& key) {
    return ::RegOpenKeyExA(root, path.c_str(), 0, access, key.put()) == ERROR_SUCCESS;
  }
  void Query(HKEY key, const char* value) {
    DWORD size = sizeof data;
    ::RegQueryValueExA(key, value, nullptr, nullptr, data, &size);
  }
  bool Enum(HKEY key, DWORD index, std::string& out) {
    DWORD length = sizeof name;
    if (::RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      return false;
    out.assign(name, length);
    return true;
  }

  int Run() {
    int reads = 0;
    for (const ProductScanRow& row : kProductScanTable) {
      if (row.RegistryView == KEY_WOW64_64KEY && !IsRunningUnderWow64()) continue;
      fw::RegKey base;
      if (!Open(HKEY_LOCAL_MACHINE, row.Base, KEY_READ | row.RegistryView, base)) continue;
      std::string release, product;
      for (DWORD r = 0; Enum(base.get(), r, release); ++r) {
        const std::string releasePath = std::string(row.Base) + "\\" + release;
        fw::RegKey releaseKey;
        if (!Open(HKEY_LOCAL_MACHINE, releasePath, KEY_READ | row.RegistryView, releaseKey)) continue;
        for (DWORD i = 0; Enum(releaseKey.get(), i, product); ++i) {
          fw::RegKey productKey;
          if (!Open(HKEY_LOCAL_MACHINE, releasePath + "\\" + product, KEY_READ | row.RegistryView,
                    productKey))
            continue;
          Query(productKey.get(), "ProductName");
          Query(productKey.get(), "Location");
          reads += ReadProduct(releasePath + "\\" + product, row.RegistryView);
        }
      }
    }
    return reads;
  }

  int ReadProduct(const std::string& key, DWORD view) {
    int reads = 0;
    const std::string root = key + "\\Applications\\Tarnwick";
    fw::RegKey apps;
    std::string app, profile, link;
    fw::RegKey orders;
    Open(HKEY_LOCAL_MACHINE, root + "\\StdLoadOrder", KEY_READ | view, orders);
    if (Open(HKEY_LOCAL_MACHINE, root + "\\Applications", KEY_READ | view, apps)) {
      for (DWORD i = 0; Enum(apps.get(), i, app); ++i) {
        fw::RegKey appKey;
        if (!Open(HKEY_LOCAL_MACHINE, root + "\\Applications\\" + app, KEY_READ | view, appKey)) continue;
        for (const char* value :
             {"Loader", "Loader0", "CommandGroups", "Modules", "MenuGroup", "MenuFile", "Template",
              "Unloadable", "LargeIconName", "SmallIconName", "ShortcutIconName"})
          Query(appKey.get(), value);
        if (orders) Query(orders.get(), app.c_str());
        ++reads;
      }
    }
    fw::RegKey profiles;
    if (!Open(HKEY_CURRENT_USER, key + "\\Profiles", KEY_ALL_ACCESS, profiles)) return reads;
    Query(profiles.get(), "");
    for (DWORD i = 0; Enum(profiles.get(), i, profile); ++i) {
      const std::string profilePath = key + "\\Profiles\\" + profile;
      fw::RegKey profileKey;
      if (!Open(HKEY_CURRENT_USER, profilePath, KEY_ALL_ACCESS, profileKey)) break;
      Query(profileKey.get(), "");
      fw::RegKey links;
      if (!Open(HKEY_CURRENT_USER, profilePath + "\\Tarnwick\\Applications", KEY_ALL_ACCESS, links)) continue;
      for (DWORD l = 0; Enum(links.get(), l, link); ++l) {
        fw::RegKey linkKey;
        if (Open(HKEY_CURRENT_USER, profilePath + "\\Tarnwick\\Applications\\" + link, KEY_ALL_ACCESS,
                 linkKey)) {
          Query(linkKey.get(), "LoadOrder");
          Query(linkKey.get(), "MenuLoaded");
        }
        ++reads;
      }
    }
    return reads;
  }
};

double Milliseconds(const std::function<void()>& work) {
  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  work();
  ::QueryPerformanceCounter(&end);
  return (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
}

struct Figures {
  double model;
  double bare;
};

Figures Measure(int profiles) {
  ConfigurationModel model;
  BareReader bare;
  LoadConfiguration(model);  // warm-up; loads the registration library once
  size_t links = 0, profileCount = 0;
  for (const PMAcad& product : model) {
    profileCount += product.Profiles.size();
    for (const PMAcadProfile& profile : product.Profiles) links += profile.Links.size();
  }
  // Alternating runs, best of each, so that a busy moment of the machine hits both alike.
  Figures figures = {1e30, 1e30};
  for (int i = 0; i < kRepeats; ++i) {
    figures.model = std::min(figures.model, Milliseconds([&] { LoadConfiguration(model); }));
    figures.bare = std::min(figures.bare, Milliseconds([&] { bare.Run(); }));
  }
  // Under a redirected HKEY_LOCAL_MACHINE both registry views are the same key, so under
  // WOW64 every product is found twice.
  std::printf("%d profiles per product: %u products, %u profiles, %u links in the model\n", profiles,
              static_cast<unsigned>(model.size()), static_cast<unsigned>(profileCount),
              static_cast<unsigned>(links));
  std::printf("  LoadConfiguration %.1f ms, bare reads %.1f ms, model/bare %.2f\n", figures.model,
              figures.bare, figures.model / figures.bare);
  return figures;
}

}  // namespace

int main() {
  Scratch scratch("load");
  std::printf(
      "bench_load: %d products x %d applications, every application linked in every profile (best of %d)\n",
      kProducts, kApplications, kRepeats);
  SeedProducts();
  SeedProfiles(0, 100);
  const Figures hundred = Measure(100);
  SeedProfiles(100, 200);
  const Figures twoHundred = Measure(200);
  std::printf("200/100 profiles: LoadConfiguration %.2f, bare reads %.2f\n", twoHundred.model / hundred.model,
              twoHundred.bare / hundred.bare);
  return 0;
}
