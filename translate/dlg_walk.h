// The walk over one dialog template that writes its translated copy.
#pragma once

#include <stddef.h>
#include <windows.h>

class CWld;
struct QVDlgPos;

struct DialogWalk {
  const void* source = nullptr;
  size_t limit = 0;                  // bytes of the source when known (a resource), else 0
  const char* context = nullptr;     // resource context key for the caption lookups, or null
  const QVDlgPos* layout = nullptr;  // moves the dialog's and its items' edges, or null
};

// The translated copy from malloc with its size in *size; null and *size = 0 when the source
// is to be used as it is: nothing to translate, a template that does not fit its limit, or no
// memory. With a layout a copy is always made (when the template is sound).
void* WalkDialogTemplate(const CWld& dictionary, const DialogWalk& walk, int* size);
