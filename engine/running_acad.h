// Whether a product's AutoCAD is running: some process's image is the product's executable.
// AutoCAD keeps the profiles it has open and writes them back when it ends, so changes made
// meanwhile are undone.
#pragma once

#include <vector>

#include "engine/model.h"

// Full image paths of the running processes that this process may query; the others are
// left out.
StringList RunningImagePaths();

// Whether two paths name the same file: both made full (and long where the file exists), then
// compared ignoring letter case.
bool SameExecutablePath(const std::string& a, const std::string& b);

// Whether one of images is the product's executable.
bool IsAcadRunning(const PMAcad& product, const StringList& images);
