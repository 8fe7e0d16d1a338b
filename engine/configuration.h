// Loading the whole configuration model from the registry.
#pragma once

#include "engine/model.h"

// Empties the model and fills it: products, set-up, applications, profiles, links.
void LoadConfiguration(ConfigurationModel& model);

// Orders a profile's links by LoadOrder; links without one (0) follow in their order.
void SortLinksByLoadOrder(std::vector<PMAcadAppLink>& links);

// Builds a profile's links: one per application, in application order, merged with
// the stored links of the same name (a later duplicate wins), then sorted by LoadOrder.
std::vector<PMAcadAppLink> MergeStoredLinks(const std::vector<PMApplication>& applications,
                                            const std::vector<PMAcadAppLink>& stored);
