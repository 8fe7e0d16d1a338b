// Product discovery: the scan table, value rules, executable names and the name order.
#include "engine/discovery.h"

#include <gtest/gtest.h>

#include "engine/applications.h"
#include "engine_test.h"

namespace {

const char kAcad[] = "Software\\Autodesk\\AutoCAD";
const char kAcadLt[] = "Software\\Autodesk\\AutoCAD LT";

std::string Path(const char* base, const char* release, const char* product) {
  return std::string(base) + "\\" + release + "\\" + product;
}

void SeedProduct(const char* base, const char* release, const char* product, const char* name,
                 const char* location) {
  seed::SetString(HKEY_LOCAL_MACHINE, Path(base, release, product), "ProductName", name);
  seed::SetString(HKEY_LOCAL_MACHINE, Path(base, release, product), "Location", location);
}

// "name|key|view|exe" per product, in order.
std::string Describe(const std::vector<PMAcad>& products) {
  std::string text;
  for (const PMAcad& p : products)
    text += p.ProductName + "|" + p.Key + "|" + std::to_string(p.RegistryView) + "|" + p.ExePath + "\n";
  return text;
}

class DiscoveryTest : public ::testing::Test {
 protected:
  RegistrySandbox sandbox_;
};

// By name, whichever base they came from; equal names keep enumeration order.
TEST_F(DiscoveryTest, EqualNamesKeepEnumerationOrderAndBytesCompareCaseSensitively) {
  SeedProduct(kAcadLt, "R14", "ACADLT-6001:409", "AutoCAD LT", "C:\\L");
  SeedProduct(kAcad, "R16.0", "ACAD-B", "AutoCAD", "C:\\1");
  SeedProduct(kAcad, "R16.0", "ACAD-A", "autocad", "C:\\2");
  SeedProduct(kAcad, "R17.0", "ACAD-A", "AutoCAD", "C:\\3");
  SeedProduct(kAcad, "R17.0", "ACAD-C", "\xC4pfel", "C:\\4");
  SeedProduct(kAcad, "R17.0", "ACAD-D", "Zebra", "C:\\5");
  std::vector<PMAcad> products;
  EXPECT_EQ(6, FindAcadProducts(products, false));
  EXPECT_EQ(
      "AutoCAD|Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-B|0|C:\\1\\acad.exe\n"
      "AutoCAD|Software\\Autodesk\\AutoCAD\\R17.0\\ACAD-A|0|C:\\3\\acad.exe\n"
      "AutoCAD LT|Software\\Autodesk\\AutoCAD LT\\R14\\ACADLT-6001:409|0|C:\\L\\acadlt.exe\n"
      "Zebra|Software\\Autodesk\\AutoCAD\\R17.0\\ACAD-D|0|C:\\5\\acad.exe\n"
      "autocad|Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-A|0|C:\\2\\acad.exe\n"
      "\xC4pfel|Software\\Autodesk\\AutoCAD\\R17.0\\ACAD-C|0|C:\\4\\acad.exe\n",
      Describe(products));
}

// Keys that cannot be opened give nothing.
TEST_F(DiscoveryTest, NameAndFolderRules) {
  std::vector<PMAcad> products(1);
  EXPECT_EQ(0, FindAcadProducts(products, true)) << "no Autodesk key";
  EXPECT_TRUE(products.empty());
  const std::string release = Path(kAcad, "R16.0", "");
  // AcadLocation only: found, with the executable in that folder.
  seed::SetString(HKEY_LOCAL_MACHINE, release + "ACAD-1", "ProductName", "P1");
  seed::SetString(HKEY_LOCAL_MACHINE, release + "ACAD-1", "AcadLocation", "C:\\Acad");
  // Location wins over AcadLocation.
  seed::SetString(HKEY_LOCAL_MACHINE, release + "ACAD-2", "ProductName", "P2");
  seed::SetString(HKEY_LOCAL_MACHINE, release + "ACAD-2", "Location", "C:\\Loc");
  seed::SetString(HKEY_LOCAL_MACHINE, release + "ACAD-2", "AcadLocation", "C:\\Acad");
  // No ProductName: ignored although Location is there.
  seed::SetString(HKEY_LOCAL_MACHINE, release + "ACAD-3", "Location", "C:\\Loc");
  // Neither folder: ignored.
  seed::SetString(HKEY_LOCAL_MACHINE, release + "ACAD-4", "ProductName", "P4");
  // A Location that does not fit 260 bytes counts as missing.
  seed::SetString(HKEY_LOCAL_MACHINE, release + "ACAD-5", "ProductName", "P5");
  seed::SetString(HKEY_LOCAL_MACHINE, release + "ACAD-5", "Location", std::string(260, 'L'));
  seed::SetString(HKEY_LOCAL_MACHINE, release + "ACAD-5", "AcadLocation", "C:\\Short");
  // The longest name that fits is taken.
  seed::SetString(HKEY_LOCAL_MACHINE, release + "ACAD-6", "ProductName", "P6" + std::string(257, 'n'));
  seed::SetString(HKEY_LOCAL_MACHINE, release + "ACAD-6", "Location", "C:\\6");
  // One byte more: no name, no product.
  seed::SetString(HKEY_LOCAL_MACHINE, release + "ACAD-7", "ProductName", "P7" + std::string(258, 'n'));
  seed::SetString(HKEY_LOCAL_MACHINE, release + "ACAD-7", "Location", "C:\\7");
  // A name of another type is no name; a folder of another type is no folder.
  seed::SetDword(HKEY_LOCAL_MACHINE, release + "ACAD-8", "ProductName", 0x38);
  seed::SetString(HKEY_LOCAL_MACHINE, release + "ACAD-8", "Location", "C:\\8");
  seed::SetString(HKEY_LOCAL_MACHINE, release + "ACAD-9", "ProductName", "P9");
  seed::SetRaw(HKEY_LOCAL_MACHINE, release + "ACAD-9", "Location", REG_BINARY, "C:\\Bin");
  seed::SetString(HKEY_LOCAL_MACHINE, release + "ACAD-9", "AcadLocation", "C:\\9");
  // A product key that cannot be opened is skipped.
  SeedProduct(kAcad, "R16.0", "ACAD-0", "P0", "C:\\0");
  seed::DenyReading(HKEY_LOCAL_MACHINE, release + "ACAD-0");

  SeedProduct(kAcad, "R17.0", "ACAD-1", "Q1", "C:\\Q");
  seed::DenyReading(HKEY_LOCAL_MACHINE, std::string(kAcad) + "\\R17.0");
  products.resize(1);
  EXPECT_EQ(0, ReadReleaseProducts(kProductScanTable[0], "R17.0", products));
  EXPECT_TRUE(products.empty());
  EXPECT_EQ(0, ReadReleaseProducts(kProductScanTable[0], "R99", products));
  EXPECT_EQ(5, FindAcadProducts(products, false));
  // Both views fall together here: the 64-bit row finds the products a second time.
  EXPECT_EQ(10, FindAcadProducts(products, true));
  EXPECT_EQ(static_cast<DWORD>(KEY_WOW64_64KEY), products[5].RegistryView);
  products.resize(1);
  EXPECT_EQ(5, ReadReleaseProducts(kProductScanTable[0], "R16.0", products));
  EXPECT_EQ(
      "P1|Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-1|0|C:\\Acad\\acad.exe\n"
      "P2|Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-2|0|C:\\Loc\\acad.exe\n"
      "P5|Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-5|0|C:\\Short\\acad.exe\n"
      "P6" +
          std::string(257, 'n') +
          "|Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-6|0|C:\\6\\acad.exe\n"
          "P9|Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-9|0|C:\\9\\acad.exe\n",
      Describe(products));
}

TEST(ProductExePathTest, ExecutableChosenByKey) {
  const struct {
    const char* key;
    const char* exe;
  } rows[] = {
      {"Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409", "F\\acad.exe"},
      {"Software\\Autodesk\\AutoCAD LT\\R9\\ACADLT-1:409", "F\\acadlt.exe"},
      {"Software\\Autodesk\\AutoCAD LT\\R9\\ACADLT-ACAD-1", "F\\acad.exe"},
      {"Software\\Autodesk\\AutoCAD LT\\R9\\ACLT-1", "F\\aclt.exe"},
      {"Software\\Autodesk\\AutoCAD\\R16.0\\acad-1", "F\\aclt.exe"},
      {"Software\\Autodesk\\AutoCAD\\R16.0\\acadlt-1", "F\\aclt.exe"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(rows[i].exe, ProductExePath(rows[i].key, "F")) << "row " << i;
}

// The 64-bit view for real: a private machine tree whose two views are apart (the default), with
// the product only in the 64-bit one.
TEST(RealRegistryViewTest, SixtyFourBitRowAndApplicationsReadTheirOwnView) {
  if (!IsRunningUnderWow64()) GTEST_SKIP() << "no 64-bit view on 32-bit Windows";
  PrivateRegistry sandbox("engine");
  const std::string release = "TarnwickTest",
                    productKey = std::string(kAcad) + "\\" + release + "\\ACAD-9999:409";
  seed::SetString(HKEY_LOCAL_MACHINE, productKey, "ProductName", "AutoCAD 64", KEY_WOW64_64KEY);
  seed::SetString(HKEY_LOCAL_MACHINE, productKey, "Location", "C:\\Acad64", KEY_WOW64_64KEY);
  seed::CreatePath(HKEY_LOCAL_MACHINE, productKey + "\\Applications\\Tarnwick\\Applications\\App64",
                   KEY_WOW64_64KEY);
  std::vector<PMAcad> products;
  EXPECT_EQ(0, ReadReleaseProducts(kProductScanTable[0], release, products));
  ASSERT_EQ(1, ReadReleaseProducts(kProductScanTable[1], release, products));
  EXPECT_EQ("AutoCAD 64|" + productKey + "|256|C:\\Acad64\\acad.exe\n", Describe(products));

  std::vector<PMApplication> applications;
  EXPECT_EQ(0, ReadApplications(productKey, 0, applications));
  ASSERT_EQ(1, ReadApplications(productKey, KEY_WOW64_64KEY, applications));
  EXPECT_EQ("App64", applications[0].Name);
}

}  // namespace
