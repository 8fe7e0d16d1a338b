#include "engine/discovery.h"

#include <algorithm>

#include "engine/registry_io.h"

const ProductScanRow kProductScanTable[3] = {
    {"Software\\Autodesk\\AutoCAD", 0},
    {"Software\\Autodesk\\AutoCAD", KEY_WOW64_64KEY},
    {"Software\\Autodesk\\AutoCAD LT", 0},
};

namespace {

const size_t kNameBytes = 260;
const size_t kValueBytes = 260;

// Builds the record of one product key; false when it lacks a name or a folder.
bool ReadProduct(HKEY productKey, const std::string& key, DWORD view, PMAcad& product) {
  std::string name, folder;
  if (!reg::ReadString(productKey, "ProductName", kValueBytes, name)) return false;
  if (!reg::ReadString(productKey, "Location", kValueBytes, folder) &&
      !reg::ReadString(productKey, "AcadLocation", kValueBytes, folder))
    return false;
  product = PMAcad();
  product.ProductName = name;
  product.Key = key;
  product.RegistryView = view;
  product.ExePath = ProductExePath(key, folder);
  return true;
}

// Inserts behind every record whose name is not greater, so equal names keep the
// order they were found in.
void InsertByProductName(std::vector<PMAcad>& products, PMAcad&& product) {
  auto at = std::upper_bound(products.begin(), products.end(), product,
                             [](const PMAcad& a, const PMAcad& b) { return a.ProductName < b.ProductName; });
  products.insert(at, std::move(product));
}

}  // namespace

std::string ProductExePath(const std::string& key, const std::string& folder) {
  if (key.find("ACAD-") != std::string::npos) return folder + "\\acad.exe";
  if (key.find("ACADLT-") != std::string::npos) return folder + "\\acadlt.exe";
  return folder + "\\aclt.exe";
}

int ReadReleaseProducts(const ProductScanRow& row, const std::string& releaseName,
                        std::vector<PMAcad>& products) {
  products.clear();
  const std::string releasePath = std::string(row.Base) + "\\" + releaseName;
  fw::RegKey release = reg::OpenKey(HKEY_LOCAL_MACHINE, releasePath, KEY_READ | row.RegistryView);
  if (!release) return 0;
  std::string productName;
  for (DWORD i = 0; reg::EnumSubkey(release.get(), i, kNameBytes, productName); ++i) {
    const std::string key = releasePath + "\\" + productName;
    fw::RegKey productKey = reg::OpenKey(HKEY_LOCAL_MACHINE, key, KEY_READ | row.RegistryView);
    if (!productKey) continue;
    PMAcad product;
    if (ReadProduct(productKey.get(), key, row.RegistryView, product)) products.push_back(std::move(product));
  }
  return static_cast<int>(products.size());
}

int FindAcadProducts(std::vector<PMAcad>& products) {
  return FindAcadProducts(products, IsRunningUnderWow64());
}

int FindAcadProducts(std::vector<PMAcad>& products, bool scan64BitView) {
  products.clear();
  for (const ProductScanRow& row : kProductScanTable) {
    if (row.RegistryView == KEY_WOW64_64KEY && !scan64BitView) continue;
    fw::RegKey base = reg::OpenKey(HKEY_LOCAL_MACHINE, row.Base, KEY_READ | row.RegistryView);
    if (!base) continue;
    std::string release;
    std::vector<PMAcad> found;
    for (DWORD i = 0; reg::EnumSubkey(base.get(), i, kNameBytes, release); ++i) {
      ReadReleaseProducts(row, release, found);
      for (PMAcad& product : found) InsertByProductName(products, std::move(product));
    }
  }
  return static_cast<int>(products.size());
}
