// Component model: interface identity across modules.
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

class Child : public CQVUnknownImplParent<ITestWidget, ITestWidget> {
 public:
  int GetValue() override { return 1; }
};

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
