// The maker's applications registered for a product and linked into its profiles.
#pragma once

#include "engine/model.h"

// Empties and fills applications, sorted by StdLoadOrder; returns their number. Leaves
// applications empty when the root's Applications key cannot be opened.
int ReadApplications(const std::string& key, DWORD registryView, std::vector<PMApplication>& applications);

// Empties and fills links with the links stored in the profile; returns their number.
// Leaves links empty when the profile's Applications key cannot be opened.
int ReadProfileLinks(const std::string& key, const std::string& profileName,
                     std::vector<PMAcadAppLink>& links);

// Hands the Products.ini set-up sections of every product to the registration library.
void SetupProducts(const std::vector<PMAcad>& products);

// {Key}\QVApps\Tarnwick for R15.0 and R8 products, else {Key}\Applications\Tarnwick.
std::string ApplicationRootPath(const std::string& key);

// Orders applications by StdLoadOrder; equal values (and those without one, last) keep
// their order.
void SortApplicationsByStdLoadOrder(std::vector<PMApplication>& applications);
