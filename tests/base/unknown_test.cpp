// Component model: interface identity across modules, QueryInterface, parents and
// interfaces registered after creation.
#include <gtest/gtest.h>
#include <string.h>

#include "base/handles.h"
#include "base/iface_table.h"
#include "base/unknown_impl.h"
#include "tests/base/test_interfaces.h"

namespace {

class Widget : public CQVUnknownImpl<ITestWidget> {
 public:
  explicit Widget(int* destroyed = nullptr) : m_destroyed(destroyed) {}
  ~Widget() override {
    if (m_destroyed) ++*m_destroyed;
  }
  int GetValue() override { return 42; }
  long Count() {
    AddRef();
    return Release();
  }

 private:
  int* m_destroyed;
};

// The peer module's type descriptors.
class PeerModule {
 public:
  PeerModule() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    strcpy(strrchr(path, '\\') + 1, "test_base_peer.dll");
    m_module.reset(LoadLibraryA(path));
    if (m_module) m_type = reinterpret_cast<PeerTypeFn>(GetProcAddress(m_module.get(), "PeerType"));
  }
  const std::type_info* Type(int which) const { return m_type ? m_type(which) : nullptr; }

 private:
  fw::Module m_module;
  PeerTypeFn m_type = nullptr;
};

TEST(TypeRegistry, OneEntryPerNameComparedByteByByte) {
  char name[] = "TypeRegistryTestName";
  _TI_Item* item = __find_ti_item(name);
  ASSERT_NE(nullptr, item);
  EXPECT_STREQ("TypeRegistryTestName", item->name);
  EXPECT_NE(name, item->name) << "the entry keeps its own copy";
  name[0] = 'X';
  EXPECT_STREQ("TypeRegistryTestName", item->name);
  EXPECT_EQ(item, __find_ti_item("TypeRegistryTestName"));
  EXPECT_NE(item, __find_ti_item("typeRegistryTestName")) << "case-sensitive";
  EXPECT_NE(item, __find_ti_item("TypeRegistryTestNam"));
  EXPECT_EQ(__find_ti_item(typeid(ITestWidget).name()), QVInterfaceItem<ITestWidget>());
}

TEST(InterfaceIdentity, DescriptorsFromAnotherModuleDenoteTheSameInterface) {
  PeerModule peer;
  const std::type_info* peerWidget = peer.Type(1);
  ASSERT_NE(nullptr, peerWidget) << "test_base_peer.dll not loaded";
  EXPECT_NE(&typeid(ITestWidget), peerWidget) << "the peer must have descriptor objects of its own";
  EXPECT_EQ(__find_ti_item(typeid(ITestWidget).name()), __find_ti_item(peerWidget->name()));

  Widget* widget = new Widget;
  void* out = nullptr;
  EXPECT_TRUE(widget->QueryInterface(*peerWidget, &out));
  EXPECT_EQ(static_cast<ITestWidget*>(widget), out);
  EXPECT_EQ(2, widget->Count());
  widget->Release();

  out = nullptr;
  EXPECT_TRUE(widget->QueryInterface(*peer.Type(0), &out)) << "IQVUnknown from the peer";
  EXPECT_EQ(static_cast<IQVUnknown*>(widget), out);
  widget->Release();

  out = &out;
  EXPECT_FALSE(widget->QueryInterface(*peer.Type(2), &out)) << "an interface the object lacks";
  EXPECT_EQ(nullptr, out);
  EXPECT_EQ(1, widget->Count());
  widget->Release();
}

TEST(QueryInterface, NullOutPointerReportsSupportWithoutAReference) {
  Widget* widget = new Widget;
  EXPECT_TRUE(widget->QueryInterface(typeid(ITestWidget), nullptr));
  EXPECT_TRUE(widget->QueryInterface(typeid(IQVUnknown), nullptr));
  EXPECT_FALSE(widget->QueryInterface(typeid(ITestGadget), nullptr));
  EXPECT_EQ(1, widget->Count());
  widget->Release();
}

TEST(QueryInterface, ReleaseDestroysAtZeroThroughTheOwnerWord) {
  int destroyed = 0;
  Widget* widget = new Widget(&destroyed);
  EXPECT_NE(nullptr, *reinterpret_cast<IHeap**>(reinterpret_cast<char*>(widget) - 4));
  EXPECT_EQ(2, widget->AddRef());
  EXPECT_EQ(1, widget->Release());
  EXPECT_EQ(0, destroyed);
  EXPECT_EQ(0, widget->Release());
  EXPECT_EQ(1, destroyed);
}

class Child : public CQVUnknownImplParent<ITestWidget, ITestWidget> {
 public:
  int GetValue() override { return 1; }
};

long CountOf(IQVUnknown* object) {
  object->AddRef();
  return object->Release();
}

TEST(ParentImpl, HoldsOneReferenceOnItsParent) {
  int destroyedA = 0, destroyedB = 0;
  Widget* a = new Widget(&destroyedA);
  Widget* b = new Widget(&destroyedB);
  Child* child = new Child;
  EXPECT_EQ(nullptr, child->GetParent());

  child->SetParent(a);
  EXPECT_EQ(2, CountOf(a));
  ITestWidget* parent = child->GetParent();
  EXPECT_EQ(a, parent);
  EXPECT_EQ(3, CountOf(a));
  parent->Release();

  child->SetParent(a);  // the same parent again keeps exactly one reference
  EXPECT_EQ(2, CountOf(a));

  child->SetParent(b);
  EXPECT_EQ(1, CountOf(a));
  EXPECT_EQ(2, CountOf(b));

  a->Release();
  EXPECT_EQ(1, destroyedA);
  b->Release();
  EXPECT_EQ(0, destroyedB) << "the child keeps its parent alive";
  EXPECT_EQ(0, child->Release());
  EXPECT_EQ(1, destroyedB);
}

// An object that answers only from registered interfaces, as the parameter stores do.
class Registrar : public CQVUnknownImpl<IRegisterIface> {
 public:
  Registrar() { RegisterIface(this, typeid(IRegisterIface), FALSE); }
  BOOL QueryInterface(const std::type_info& type, void** out) override { return m_table.Query(type, out); }
  BOOL RegisterIface(IQVUnknown* iface, const std::type_info& type, BOOL addRef) override {
    return m_table.Register(iface, type, addRef);
  }
  int Registered() const { return m_table.GetCount(); }

 private:
  CQVIfaceTable m_table;
};

TEST(RegisterIface, ReplacesAndRemovesRegistrations) {
  int destroyedA = 0, destroyedB = 0;
  Widget* a = new Widget(&destroyedA);
  Widget* b = new Widget(&destroyedB);
  Registrar* reg = new Registrar;
  EXPECT_EQ(1, reg->Registered());
  EXPECT_EQ(1, CountOf(reg)) << "the self registration holds no reference";
  EXPECT_FALSE(reg->QueryInterface(typeid(ITestWidget), nullptr));

  EXPECT_TRUE(reg->RegisterIface(a, typeid(ITestWidget), TRUE));
  EXPECT_EQ(2, CountOf(a));
  void* out = nullptr;
  EXPECT_TRUE(reg->QueryInterface(typeid(ITestWidget), &out));
  EXPECT_EQ(static_cast<IQVUnknown*>(a), out);
  EXPECT_EQ(3, CountOf(a));
  a->Release();

  EXPECT_TRUE(reg->RegisterIface(b, typeid(ITestWidget), FALSE)) << "replaces a";
  EXPECT_EQ(1, CountOf(a)) << "the replaced record released a";
  EXPECT_EQ(1, CountOf(b));
  EXPECT_EQ(2, reg->Registered());
  EXPECT_TRUE(reg->QueryInterface(typeid(ITestWidget), &out));
  EXPECT_EQ(static_cast<IQVUnknown*>(b), out);
  b->Release();

  EXPECT_TRUE(reg->RegisterIface(a, typeid(ITestWidget), TRUE));
  EXPECT_EQ(1, CountOf(b)) << "b was registered without a reference: none is dropped";
  EXPECT_TRUE(reg->RegisterIface(a, typeid(ITestWidget), TRUE)) << "the same interface again";
  EXPECT_EQ(2, CountOf(a));

  EXPECT_TRUE(reg->RegisterIface(nullptr, typeid(ITestWidget), FALSE));
  EXPECT_EQ(1, CountOf(a));
  EXPECT_FALSE(reg->QueryInterface(typeid(ITestWidget), nullptr));
  EXPECT_FALSE(reg->RegisterIface(nullptr, typeid(ITestWidget), FALSE)) << "nothing left to remove";
  EXPECT_FALSE(reg->RegisterIface(nullptr, typeid(ITestGadget), TRUE)) << "never registered";
  EXPECT_TRUE(reg->QueryInterface(typeid(IRegisterIface), nullptr));

  EXPECT_TRUE(reg->RegisterIface(b, typeid(ITestGadget), TRUE));
  EXPECT_EQ(2, CountOf(b));
  reg->Release();
  EXPECT_EQ(1, CountOf(b)) << "destroying the table drops held references";
  a->Release();
  b->Release();
  EXPECT_EQ(1, destroyedA);
  EXPECT_EQ(1, destroyedB);
}

TEST(RegisterIface, AnswersDescriptorsFromAnotherModule) {
  PeerModule peer;
  ASSERT_NE(nullptr, peer.Type(1));
  Widget* a = new Widget;
  Registrar* reg = new Registrar;
  reg->RegisterIface(a, typeid(ITestWidget), TRUE);
  void* out = nullptr;
  EXPECT_TRUE(reg->QueryInterface(*peer.Type(1), &out));
  EXPECT_EQ(static_cast<IQVUnknown*>(a), out);
  a->Release();
  reg->Release();
  EXPECT_EQ(0, a->Release());
}

}  // namespace
