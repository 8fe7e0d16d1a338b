// Products.ini set-up: which sections go to the registration library, in which mode.
#include "engine/products_ini.h"

#include <gtest/gtest.h>

#include "engine/applications.h"
#include "engine_test.h"
#include "fake_library.h"
#include "tests/support/scratch_folder.h"

namespace {

PMAcad Product(const std::string& key, DWORD view) {
  PMAcad product;
  product.Key = key;
  product.RegistryView = view;
  return product;
}

const char kLt[] = "Software\\Autodesk\\AutoCAD LT\\R9\\ACADLT-1:409";

class ProductsIniTest : public ::testing::Test {
 protected:
  ScratchFolder folder_;
  FakeRegistrationLibrary fake_;
};

TEST_F(ProductsIniTest, PlatformPassForAllProductsThenProductsPass) {
  const std::string ini = folder_.Write("Products.ini",
                                        "[Platform\\AutoCAD\\R16.0]\r\nA=1\r\n"
                                        "[Platform\\AutoCAD\\R16.0\\x32]\r\n"
                                        "[Platform\\AutoCAD\\R16.0\\x64]\r\n"
                                        "[Platform\\AutoCAD\\R16.0\\X64]\r\n"
                                        "[Platform\\AutoCAD\\R16.0\\x32\\x64]\r\n"
                                        "[Products\\AutoCAD\\R16.0\\]\r\n"
                                        "[Products\\AutoCAD\\R16.0\\AppX]\r\n"
                                        "[Products\\AutoCAD\\R16.0]\r\n"
                                        "[platform\\autocad\\r16.0]\r\n"
                                        "[Platform\\AutoCAD\\R17.0]\r\n"
                                        "[Old Platform\\AutoCAD LT\\R9 extra]\r\n"
                                        "[Products\\AutoCAD LT\\R9\\]\r\n");
  const std::vector<PMAcad> products = {Product(kKey, 0), Product(kKey, KEY_WOW64_64KEY), Product(kLt, 0)};
  SetupProducts(products, ini, fake_.Library());
  const auto setup = [&](int mode, const std::string& id, const std::string& section) {
    return "SetupPManIni|" + std::to_string(mode) + "|" + id + "|" + ini + "|" + section + "|0\n";
  };
  const auto reg = [&](const std::string& id, const std::string& section) {
    return "RegisterAppInPManIniEx|2|" + id + "|" + ini + "|" + section + "|0\n";
  };
  const std::string r16 = "AutoCAD\\R16.0\\ACAD-201:409", lt = "AutoCAD LT\\R9\\ACADLT-1:409";
  const std::string p = "Platform\\AutoCAD\\R16.0", q = "Products\\AutoCAD\\R16.0\\";
  EXPECT_EQ(setup(2, r16, p) + setup(3, r16, p + "\\x32") + setup(2, r16, p + "\\X64") +
                setup(3, r16, p + "\\x32\\x64") + setup(2, r16, p) + setup(4, r16, p + "\\x64") +
                setup(2, r16, p + "\\X64") + setup(2, lt, "Old Platform\\AutoCAD LT\\R9 extra") +
                reg(r16, q) + reg(r16, q + "AppX") + reg(r16, q) + reg(r16, q + "AppX") +
                reg(lt, "Products\\AutoCAD LT\\R9\\"),
            fake_.Log());
}

// The file is the one in the program folder, when it can be read; without one nothing is set up.
TEST_F(ProductsIniTest, NoFileOrNoPathDoesNothing) {
  EXPECT_EQ("", ProductsIniPathIn(folder_.Path() + "\\"));
  const std::string ini = folder_.Write("Products.ini", "[Platform\\AutoCAD\\R16.0]\r\n");
  EXPECT_EQ(ini, ProductsIniPathIn(folder_.Path() + "\\"));
  SetupProducts({Product(kKey, 0)}, "", fake_.Library());
  EXPECT_EQ("", fake_.Log());
}

TEST_F(ProductsIniTest, MalformedFilesGiveOnlyTheirRealSections) {
  const struct {
    const char* what;
    std::string bytes;
    std::string sections;
  } rows[] = {
      {"empty", "", ""},
      {"no sections", "key=value\r\njust text\r\n", ""},
      {"garbage around a section",
       std::string("\x01\x02\xff\r\n=\r\n[Platform\\AutoCAD\\R16.0]\r\nx") + '\0' + "y\r\n",
       "Platform\\AutoCAD\\R16.0;"},
      {"unix line ends", "[One]\n[Two]\nk=v\n", "One;Two;"},
      {"no line end", "[Only]", "Only;"},
      {"long section name", "[" + std::string(5000, 's') + "]\r\n[After]\r\n",
       std::string(5000, 's') + ";After;"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const std::string ini = folder_.Write("Products.ini", rows[i].bytes);
    EXPECT_EQ(rows[i].sections, Joined(ReadIniSectionNames(ini))) << rows[i].what;
  }
  EXPECT_TRUE(ReadIniSectionNames(folder_.Path() + "\\missing.ini").empty());
}

}  // namespace
