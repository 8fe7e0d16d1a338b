// AutoCAD menu source files and the Menus key of a profile (menu groups for AutoCAD LT).
#pragma once

#include "engine/model.h"

// Empties numbers and appends every ***POP number (1 to 499) of the menu file in file
// order; returns the count, 0 when the file cannot be opened.
int ReadMenuPopNumbers(const std::string& menuFile, std::vector<int>& numbers);

// True when a Group value of profileKey\Menus begins with menuSpec (ignoring case).
// Otherwise raises maxGroup and maxPop to the highest Group and Pop (below 500) numbers
// seen. False, counters unchanged, when Menus cannot be opened.
bool FindMenuGroup(HKEY profileKey, const std::string& menuSpec, int& maxGroup, int& maxPop);

// Writes Group{groupNumber} = "menuGroup menuFile" and one Pop value per pull-down menu
// of the file, numbered from popBase + 1. False, with nothing written, when Menus cannot
// be opened for writing or a text does not fit 520 bytes.
bool WriteMenuGroup(HKEY profileKey, const std::string& menuGroup, const std::string& menuFile,
                    int groupNumber, int popBase);

// Adds to the profile's Menus the menu groups of the linked applications whose menus are
// neither loaded nor configured there yet. profileKeyPath is below HKEY_CURRENT_USER.
void LoadAppMenus(const std::vector<PMApplication>& applications, const std::vector<PMAcadAppLink>& links,
                  const std::string& profileKeyPath);
