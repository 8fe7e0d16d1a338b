// Finds the installed AutoCAD products in HKEY_LOCAL_MACHINE.
#pragma once

#include "engine/model.h"

// One row of the product scan: a base key and the registry view it is read in.
struct ProductScanRow {
  const char* Base;
  DWORD RegistryView;
};

// The scan table in its order; the 64-bit view row is only walked under WOW64.
extern const ProductScanRow kProductScanTable[3];

// Empties products and fills it with every installed product, sorted by ProductName.
// Returns the count; registry failures only leave out the products concerned.
int FindAcadProducts(std::vector<PMAcad>& products);

// The same, scanning the 64-bit view row only when scan64BitView is set.
int FindAcadProducts(std::vector<PMAcad>& products, bool scan64BitView);

// Empties products and appends the products of one release key in enumeration order.
// Returns the count; leaves products empty when the release key cannot be opened.
int ReadReleaseProducts(const ProductScanRow& row, const std::string& releaseName,
                        std::vector<PMAcad>& products);

// The executable of a product: its folder with "\acad.exe", "\acadlt.exe" or "\aclt.exe"
// chosen by the product Key.
std::string ProductExePath(const std::string& key, const std::string& folder);

// True when the 32-bit program runs on 64-bit Windows; false when IsWow64Process is
// missing or fails.
bool IsRunningUnderWow64();
