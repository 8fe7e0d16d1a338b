// Translated dialog layouts: how far the edges of a dialog and of its items move.
#pragma once

#include "base/alloc.h"
#include "base/map.h"
#include "translate/api.h"

class CWld;
struct IParam;

// Edge offsets in dialog units.
struct CIRect {
  long left;
  long top;
  long right;
  long bottom;
};

// One dialog's layout: item number (0-based, in template order) to edge offsets, and the
// change of the dialog's size.
struct TW_TRANSLATE_API QVDlgPos : QVHeapObject {
  QVDlgPos() : m_items(127) {}
  CTMap<unsigned, CIRect> m_items;
  long m_cx = 0;
  long m_cy = 0;
};

// Fills the dictionary's layouts from a parameter tree of module nodes (see dlg_layout.cpp).
void LoadLayoutsFromParam(CWld& dictionary, IParam* root);
// Reads the layout file (an INI file) into the dictionary's layouts; a file that is missing
// or cannot be read leaves them as they are.
void LoadDialogLayouts(CWld& dictionary, const char* layoutPath);
