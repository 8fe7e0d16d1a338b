// Offers one file to the shell by OLE drag and drop as a file list (CF_HDROP), the way a
// file dragged out of a folder window is offered.
#pragma once

#include <windows.h>

#include <string>

// Runs the drag until the left mouse button is released or Escape is pressed; allowedEffects are the
// DROPEFFECT_ bits the source permits, effect (may be null) receives what the target chose.
// Returns DoDragDrop's result: DRAGDROP_S_DROP, DRAGDROP_S_CANCEL or an error.
HRESULT DragFileOut(const std::string& path, DWORD allowedEffects, DWORD* effect = nullptr);
