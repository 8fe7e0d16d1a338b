// Resources of hook_target.dll (hook_target.rc); the excluded stand-ins hold the same.
#pragma once

#define TARGET_STRING_OPEN 100     // "Open file"
#define TARGET_STRING_CLOSE 101    // "Close"
#define TARGET_STRING_EMPTY 103    // ""
#define TARGET_STRING_MISSING 104  // "Not in the dictionary"
#define TARGET_MENU 200
#define TARGET_DIALOG 300
#define TARGET_DIALOG_EX 301
#define TARGET_DIALOG_BROKEN 303  // claims 200 items and holds none
#define TARGET_STRINGS_BROKEN 50  // a string block whose last string claims more than it holds
