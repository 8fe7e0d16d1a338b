// A copy of the names an enumerator yields, so that a store can delete what it walks.
#pragma once

#include "base/enum.h"
#include "base/list.h"

class CNameSnapshot {
 public:
  // Takes over the enumerator's reference; a null enumerator gives no names.
  explicit CNameSnapshot(CTEnum<const char*>* names) {
    if (!names) return;
    try {
      const char* name;
      while (names->Next(1, &name, nullptr)) m_names.AddTail(QVStrDup(name ? name : ""));
    } catch (...) {
      names->Release();
      throw;
    }
    names->Release();
  }
  CNameSnapshot(const CNameSnapshot&) = delete;
  CNameSnapshot& operator=(const CNameSnapshot&) = delete;

  typedef CTPList<const char*>::Node Node;
  // Walk with: for (node = First(); node; node = node->next) use node->value.
  Node* First() const { return m_names.GetHeadNode(); }
  int GetCount() const { return m_names.GetCount(); }

 private:
  CTPList<const char*> m_names;
};
