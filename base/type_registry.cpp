// The process-wide registry of interface type names. Filled without locking: interfaces
// are queried from one thread at a time.
#include <string.h>

#include "base/alloc.h"
#include "base/unknown.h"

namespace {
_TI_Item* g_items = nullptr;
int g_itemCount = 0;
}  // namespace

extern "C" _TI_Item* __find_ti_item(const char* name) {
  if (!name) name = "";
  for (_TI_Item* item = g_items; item; item = item->next)
    if (strcmp(item->name, name) == 0) return item;
  auto* item = static_cast<_TI_Item*>(QVAllocBlock(sizeof(_TI_Item), nullptr));
  item->name = QVStrDup(name);
  item->next = g_items;
  g_items = item;
  ++g_itemCount;
  return item;
}
