// Finds the installed AutoCAD products in HKEY_LOCAL_MACHINE.
#pragma once

#include "engine/model.h"

// One row of the product scan: a base key and the registry view it is read in.
struct ProductScanRow {
  const char* Base;
  DWORD RegistryView;
};

// Empties products and fills it with every installed product, sorted by ProductName.
int FindAcadProducts(std::vector<PMAcad>& products);

// Empties products and appends the products of one release key in enumeration order.
int ReadReleaseProducts(const ProductScanRow& row, const std::string& releaseName,
                        std::vector<PMAcad>& products);

// True when the 32-bit program runs on 64-bit Windows.
bool IsRunningUnderWow64();
