// The maker's applications registered for a product and linked into its profiles.
#pragma once

#include "engine/model.h"

// Empties and fills applications, sorted by StdLoadOrder; returns their number.
int ReadApplications(const std::string& key, DWORD registryView,
                     std::vector<PMApplication>& applications);

// Empties and fills links with the links stored in the profile; returns their number.
int ReadProfileLinks(const std::string& key, const std::string& profileName,
                     std::vector<PMAcadAppLink>& links);

// Hands the Products.ini set-up sections of every product to the registration library.
void SetupProducts(const std::vector<PMAcad>& products);
