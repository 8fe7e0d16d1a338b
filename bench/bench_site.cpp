// A site standard against a large installation (10 products x 100 profiles x 40
// applications): -check's comparison and -apply, timed against LoadConfiguration on the
// same data in the same run, at 50 and 100 profiles per product. Prints figures only.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "bench/stopwatch.h"
#include "engine/configuration.h"
#include "engine/regdll_bridge.h"
#include "engine/site_apply.h"
#include "base/handles.h"
#include "bench/bench_registry.h"

namespace {

const int kProducts = 10;
const int kApplications = 40;
const int kRepeats = 3;

// Every product with every application, and profiles [0, count) each linking every
// application in name order.
void Seed(int count) {
  for (int p = 0; p < kProducts; ++p) {
    const std::string key = ProductKey(p);
    fw::RegKey product = Create(HKEY_LOCAL_MACHINE, key);
    SetText(product.get(), "ProductName", "AutoCAD " + std::to_string(2000 + p));
    SetText(product.get(), "Location", "C:\\AutoCAD " + std::to_string(2000 + p));
    for (int a = 0; a < kApplications; ++a) {
      fw::RegKey app = Create(HKEY_LOCAL_MACHINE, key + "\\Applications\\Tarnwick\\Applications\\" + AppName(a));
      SetText(app.get(), "Loader", "C:\\Apps\\" + AppName(a) + ".arx");
    }
    ::RegDeleteTreeA(HKEY_CURRENT_USER, (key + "\\Profiles").c_str());
    fw::RegKey profiles = Create(HKEY_CURRENT_USER, key + "\\Profiles");
    SetText(profiles.get(), "", ProfileName(0));
    for (int f = 0; f < count; ++f) {
      const std::string path = key + "\\Profiles\\" + ProfileName(f);
      fw::RegKey profile = Create(HKEY_CURRENT_USER, path);
      SetText(profile.get(), "", "Profile number " + std::to_string(f));
      for (int a = 0; a < kApplications; ++a) {
        fw::RegKey link = Create(HKEY_CURRENT_USER, path + "\\Tarnwick\\Applications\\" + AppName(a));
        SetNumber(link.get(), "LoadOrder", a + 1);
        SetNumber(link.get(), "MenuLoaded", 0);
      }
    }
  }
}

// One section per profile: every product, every application in the stored order, the
// stored description (so -check finds nothing) or a new one (so -apply writes them all).
SiteStandard Standard(int count, const std::string& descriptionHead) {
  std::vector<IniSection> sections;
  std::string applications;
  for (int a = 0; a < kApplications; ++a) applications += (a ? ";" : "") + AppName(a);
  for (int f = 0; f < count; ++f)
    sections.push_back(IniSection{"Profile " + ProfileName(f),
                                  {{"Products", "AutoCAD 20??"},
                                   {"Source", "standard.arg"},
                                   {"Description", descriptionHead + std::to_string(f)},
                                   {"Applications", applications}}});
  SiteStandard site;
  ParseSiteStandard(sections, site);
  return site;
}

double Milliseconds(const std::function<void()>& work) {
  Stopwatch watch;
  work();
  return watch.Seconds() * 1000.0;
}

struct Figures {
  double load, check, compare, apply;
  size_t differences, changes;
};

Figures Measure(int count) {
  Seed(count);
  ConfigurationModel model;
  Figures figures = {};
  const SiteStandard same = Standard(count, "Profile number ");
  // Taken in turns, best of each, so that a busy moment of the machine hits both alike.
  figures.load = figures.check = 1e30;
  for (int i = 0; i < kRepeats; ++i) {
    figures.load = std::min(figures.load, Milliseconds([&] { LoadConfiguration(model); }));
    figures.check = std::min(figures.check, Milliseconds([&] {
                               LoadConfiguration(model);
                               figures.differences = PlanSiteStandard(model, same, nullptr).Changes.size();
                             }));
  }
  // The comparison alone, on the loaded model: what -check adds to LoadConfiguration.
  figures.compare = 1e30;
  for (int i = 0; i < 10; ++i)
    figures.compare =
        std::min(figures.compare, Milliseconds([&] { PlanSiteStandard(model, same, nullptr); }));
  const SiteStandard renamed = Standard(count, "Standard ");
  Stopwatch watch;
  figures.changes = ApplySiteStandard(model, renamed, SiteProfileFiles(), RegistrationLibrary::Instance()).Made.size();
  figures.apply = watch.Seconds() * 1000.0;
  return figures;
}

}  // namespace

int main() {
  Scratch scratch("site");
  const Figures half = Measure(50);
  const Figures full = Measure(100);
  std::printf("site standard, %d products x %d applications (best of %d)\n", kProducts, kApplications, kRepeats);
  for (const auto& row : {std::make_pair(50, half), std::make_pair(100, full)}) {
    const Figures& f = row.second;
    std::printf("  %3d profiles: LoadConfiguration %8.1f ms  -check %8.1f ms (%zu differences)  ratio %.2f\n",
                row.first, f.load, f.check, f.differences, f.check / f.load);
    std::printf("                comparison alone %.2f ms: -check = LoadConfiguration x %.3f\n", f.compare,
                (f.load + f.compare) / f.load);
    std::printf("                -apply of %zu description changes %8.1f ms  ratio to LoadConfiguration %.2f\n",
                f.changes, f.apply, f.apply / f.load);
  }
  std::printf("  growth 50 -> 100 profiles: -check x%.2f, comparison x%.2f, LoadConfiguration x%.2f (linear: x2)\n",
              full.check / half.check, full.compare / half.compare, full.load / half.load);
  return 0;
}
