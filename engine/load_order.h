// Editing the load order of a profile's links in the model (Reset Order, Move Up/Down).
#pragma once

#include "engine/model.h"

// With more than one link: clears every LoadOrder and orders the links by StdLoadOrder
// (equal values keep their order). Always clears every MenuLoaded.
void ResetLoadOrder(PMAcadProfile& profile);

// Gives every link without a LoadOrder the next number after the one before it.
void NumberLinks(PMAcadProfile& profile);

// Numbers the links, then exchanges link index with the one above (below); each position
// keeps its LoadOrder. Returns the index the moved link ends at (index when it cannot
// move).
int MoveLinkUp(PMAcadProfile& profile, int index);
int MoveLinkDown(PMAcadProfile& profile, int index);
