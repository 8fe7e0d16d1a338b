// The edits the main dialog makes to a product's profiles in memory, and the rules that refuse
// some of them. Nothing is written to the registry here: ApplyChanges does that later.
#pragma once

#include "engine/model.h"

// The one rule by which two profile names are the same: as the registry matches key names,
// ignoring letter case.
bool SameProfileName(const std::string& a, const std::string& b);

// Why an edit or a name is refused.
enum class ProfileRefusal {
  None,
  CurrentProfile,  // deleting the current profile
  LastProfile,     // deleting the only listed profile
  ParkedProfile,   // deleting or renaming the profile a running AutoCAD will make current again
  NameInUse,
  EmptyName,
  NotKeyName,      // longer than a key name may be, or with a backslash
};

// Every profile's Name and, where set, its NewName: the names a new or renamed profile may not take.
StringList NamesInUse(const PMAcad& product);

// A name for a new profile, checked against the names taken (in this order: in use, empty,
// not a key name).
ProfileRefusal CheckNewName(const StringList& taken, const std::string& name);
// A new name for the profile now shown as oldName: the same name in any letter case is
// accepted (the profile then keeps its name), others as for a new profile.
ProfileRefusal CheckRename(const StringList& taken, const std::string& oldName, const std::string& newName);

// The listed profiles are those not marked for deletion, in array order: item n is the n-th.
int ListedProfileCount(const PMAcad& product);
PMAcadProfile* ListedProfile(PMAcad& product, int item);
// The last listed item that shows the product's current profile; -1 when none does.
int CurrentProfileItem(const PMAcad& product);

// Set Current: the profile's shown name becomes the product's current profile.
void MakeCurrent(PMAcad& product, const PMAcadProfile& profile);

// Appends a profile to be created as a copy of Profiles[sourceIndex], with one link per
// application, ticked where the source has it ticked. Null, with nothing added, when
// sourceIndex names no profile.
PMAcadProfile* AddProfile(PMAcad& product, int sourceIndex, const std::string& name,
                          const std::string& description);

// Whether the profile may be deleted; parkedProfile is the profile a running AutoCAD will make
// current again (empty: none).
ProfileRefusal CheckDelete(const PMAcad& product, const PMAcadProfile& profile, const std::string& parkedProfile);
// Marks the profile for deletion and moves it to the end of the product's profiles; a pending
// rename is dropped, so that applying deletes the profile rather than copying it first.
void MarkDeleted(PMAcad& product, PMAcadProfile& profile);

// Renames the profile unless newName is its shown name in any letter case or in use (NameInUse),
// or the profile is parked under its stored name (ParkedProfile): a profile still to be created
// takes it as Name, others as NewName, and a current profile stays current. The description is
// taken in every case. None when the name changed.
ProfileRefusal RenameProfile(PMAcad& product, PMAcadProfile& profile, const std::string& newName,
                             const std::string& description, const std::string& parkedProfile);
