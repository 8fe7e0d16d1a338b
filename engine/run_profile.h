// The registry steps around one AutoCAD run in run mode: the current profile is parked in the
// value "Tarnwikc" of {Key}\Profiles while the requested profile is current, the profile is
// marked as started by this program, and the parked profile comes back when AutoCAD has ended.
#pragma once

#include <string>

extern const char kParkedProfileValue[];  // "Tarnwikc"

// Parks the current profile and makes profile current. While an earlier run of the product
// still has a profile parked, that one stays: it is what was current before the runs. parked
// receives the profile to restore should the parked value be gone by then. False, with nothing
// written, when {Key}\Profiles cannot be opened.
bool ParkCurrentProfile(const std::string& key, const std::string& profile, std::string& parked);

// Sets "RunPM" to 1 and, when pipeName is not empty, "PipeName" in {Key}\Profiles\{profile}\Tarnwick
// (created when missing). False when any of them cannot be written.
bool MarkProfileStarted(const std::string& key, const std::string& profile, const std::string& pipeName);

// Makes the parked profile current again, or fallback when an overlapping run has restored and
// removed it already, and removes the parked value. A parked profile that no longer exists is
// not made current: the current profile then stays as it is. False when {Key}\Profiles cannot be opened.
bool RestoreParkedProfile(const std::string& key, const std::string& fallback);

// The profile that a run of the product now in progress will make current again; false, with
// parked unchanged, when no run has one parked.
bool ReadParkedProfile(const std::string& key, std::string& parked);
