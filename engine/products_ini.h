// The product set-up from Products.ini beside the program, run before every load.
#pragma once

#include "engine/model.h"

class RegistrationLibrary;

// The folder of the program's file + "Products.ini" when that file can be opened for
// reading, else "".
std::string GetProductsIniPath();

// folder (ending in a backslash) + "Products.ini" when readable, else "".
std::string ProductsIniPathIn(const std::string& folder);

// The section names of an INI file, in file order; empty when it cannot be read.
StringList ReadIniSectionNames(const std::string& iniPath);

// Platform pass for every product, then products pass for every product, handing the
// matching sections of iniPath to library. Does nothing when iniPath is empty.
void SetupProducts(const std::vector<PMAcad>& products, const std::string& iniPath,
                   const RegistrationLibrary& library);

// "Platform\" + the AcadId up to its last backslash; "Products\" + the AcadId up to and
// including it.
std::string PlatformSectionPattern(const std::string& acadId);
std::string ProductsSectionPattern(const std::string& acadId);

// The SetupPManIni mode for a platform section and a view: 2, 3 ("\x32", 32-bit view
// only), 4 ("\x64", 64-bit view only), or 0 when the section is not meant for the view.
int PlatformSectionMode(const std::string& section, DWORD registryView);
