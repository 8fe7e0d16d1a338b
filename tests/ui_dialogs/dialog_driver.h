// Reading and working the main dialog's controls from a test step, as the user would.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "engine/model.h"

namespace drive {

// Item texts of a list view.
std::vector<std::string> Items(HWND dialog, int listId);
// "Alpha+ Beta- ...": the application list with its check marks.
std::string Applications(HWND dialog);
// The selected item of a list view, or -1.
int Selected(HWND dialog, int listId);
bool IsEnabled(HWND dialog, int id);

// Selects (and focuses) one item of a list view; the dialog hears of it as of a click.
void Select(HWND dialog, int listId, int item);
// Ticks or clears an application's check box.
void Check(HWND dialog, int item, bool checked);
// Chooses an entry of the product list, as a click would (with the selection-change notification).
void ChooseProduct(HWND dialog, int entry);
// Presses F5 in the profile list.
void PressF5(HWND dialog);
// Sends the list view notification code for item of list listId, as the control would.
LRESULT Notify(HWND dialog, int listId, UINT code, int item);
// Types text into a control of a (nested) dialog.
void Type(HWND dialog, int id, const std::string& text);

}  // namespace drive

// The model as short text, for comparisons that print what they found.
namespace show {

// "Default/0 Home/2 Work>Office/0": Name, pending NewName, State.
std::string Profiles(const PMAcad& product);
// "Alpha:1:3:0 Beta:...": Name, State, LoadOrder, MenuLoaded.
std::string Links(const PMAcadProfile& profile);

}  // namespace show
