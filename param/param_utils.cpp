// Param_CopyTo, Param_Cmp and Dump_Param: walks over any store through IParam alone.
#include "param/param_utils.h"

#include <typeinfo>

#include "base/exceptions.h"
#include "param/name_snapshot.h"
#include "param/param_ref.h"

namespace {

// The names an enumerator yields; a store that gives no enumerator lacks the interface.
CTEnum<const char*>* Required(CTEnum<const char*>* names) {
  if (!names) throw CXIFaceException(typeid(CTEnum<const char*>));
  return names;
}

// A reference of the caller's pointer, held for the time of a call.
QVRef<IParam> Hold(IParam* p) {
  if (!p) throw CXIFaceException(typeid(IParam));
  p->AddRef();
  return QVRef<IParam>(p);
}

// The names of a source tree taken before anything is written, so that a copy into a part
// of its own source walks only what was there and ends.
class SourceShape : public QVHeapObject {
 public:
  explicit SourceShape(IParam* node) : m_values(Required(node->EnumValues())) {
    CNameSnapshot children(Required(node->EnumChildren()));
    Child** tail = &m_children;
    for (CNameSnapshot::Node* name = children.First(); name; name = name->next) {
      QVRef<IParam> child(node->GetChild(name->value, FALSE));
      if (!child) continue;
      *tail = new Child(name->value);
      (*tail)->shape = new SourceShape(child.Get());
      tail = &(*tail)->next;
    }
  }
  ~SourceShape() {
    while (Child* child = m_children) {
      m_children = child->next;
      delete child->shape;
      delete child;
    }
  }
  SourceShape(const SourceShape&) = delete;
  SourceShape& operator=(const SourceShape&) = delete;

  void CopyInto(IParam* src, IParam* dst) const {
    for (Child* child = m_children; child; child = child->next) {
      QVRef<IParam> from(src->GetChild(child->name, FALSE));
      if (!from) continue;
      QVRef<IParam> to(dst->GetChild(child->name, FALSE));
      if (!to) to.Reset(dst->CreateChild(child->name));
      if (to) child->shape->CopyInto(from.Get(), to.Get());
    }
    for (CNameSnapshot::Node* name = m_values.First(); name; name = name->next) {
      // An unreadable value is copied as the empty value.
      CQVVariant value;
      src->GetValue(name->value, &value);
      dst->SetValue(name->value, &value);
    }
  }

 private:
  struct Child : QVHeapObject {
    explicit Child(const char* childName) : name(childName) {}
    CXString name;
    SourceShape* shape = nullptr;
    Child* next = nullptr;
  };

  CNameSnapshot m_values;
  Child* m_children = nullptr;
};

void Dump(IParam* p) {
  QVRef<IParam> node = Hold(p);
  CXString line;
  CNameSnapshot values(Required(node->EnumValues()));
  for (CNameSnapshot::Node* name = values.First(); name; name = name->next) {
    line.Format(" %s \n", name->value);
    OutputDebugStringA(line);
  }
  CNameSnapshot children(Required(node->EnumChildren()));
  for (CNameSnapshot::Node* name = children.First(); name; name = name->next) {
    line.Format("--- %s ---\n", name->value);
    OutputDebugStringA(line);
    QVRef<IParam> child(node->GetChild(name->value, FALSE));
    if (child) Dump(child.Get());
  }
}

}  // namespace

void Param_CopyTo(IParam* src, IParam* dst) {
  QVRef<IParam> source = Hold(src);
  QVRef<IParam> target = Hold(dst);
  const SourceShape shape(source.Get());
  shape.CopyInto(source.Get(), target.Get());
}

BOOL Param_Cmp(IParam* a, IParam* b) {
  if (!a || !b) return FALSE;
  CNameSnapshot values(Required(a->EnumValues()));
  for (CNameSnapshot::Node* name = values.First(); name; name = name->next) {
    CQVVariant mine, theirs;
    a->GetValue(name->value, &mine);
    if (!b->GetValue(name->value, &theirs) || !(mine == theirs)) return FALSE;
  }
  CNameSnapshot children(Required(a->EnumChildren()));
  for (CNameSnapshot::Node* name = children.First(); name; name = name->next) {
    QVRef<IParam> mine(a->GetChild(name->value, FALSE));
    QVRef<IParam> theirs(b->GetChild(name->value, FALSE));
    if (!Param_Cmp(mine.Get(), theirs.Get())) return FALSE;
  }
  return TRUE;
}

void Dump_Param(IParam* p) { Dump(p); }
