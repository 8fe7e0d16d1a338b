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
  int GetValue() override { return 42; }
};

// An object that answers only from registered interfaces, as the parameter stores do.
class Registrar : public CQVUnknownImpl<IRegisterIface> {
 public:
  Registrar() { RegisterIface(this, typeid(IRegisterIface), FALSE); }
  BOOL QueryInterface(const std::type_info& type, void** out) override { return m_table.Query(type, out); }
  BOOL RegisterIface(IQVUnknown* iface, const std::type_info& type, BOOL addRef) override {
    return m_table.Register(iface, type, addRef);
  }

 private:
  CQVIfaceTable m_table;
};

TEST(InterfaceIdentity, DescriptorsFromAnotherModuleDenoteTheSameInterface) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  strcpy(strrchr(path, '\\') + 1, "test_base_peer.dll");
  fw::Module peer(LoadLibraryA(path));
  PeerTypeFn peerType = peer ? reinterpret_cast<PeerTypeFn>(GetProcAddress(peer.get(), "PeerType")) : nullptr;
  ASSERT_NE(nullptr, peerType) << "test_base_peer.dll not loaded";
  const std::type_info& peerWidget = *peerType(1);
  EXPECT_NE(&typeid(ITestWidget), &peerWidget) << "the peer must have descriptor objects of its own";

  // Every interface the peer names, as the object answers for it (null: one it lacks).
  Widget* widget = new Widget;
  void* const expected[] = {static_cast<IQVUnknown*>(widget), static_cast<ITestWidget*>(widget), nullptr};
  void* out;
  for (int which = 0; which < 3; ++which) {
    out = &out;
    EXPECT_EQ(expected[which] != nullptr, widget->QueryInterface(*peerType(which), &out)) << which;
    EXPECT_EQ(expected[which], out) << which;
    if (out && out == expected[which]) widget->Release();
  }

  // The same through a table of registered interfaces.
  Registrar* registrar = new Registrar;
  registrar->RegisterIface(widget, typeid(ITestWidget), TRUE);
  out = nullptr;
  EXPECT_TRUE(registrar->QueryInterface(peerWidget, &out));
  EXPECT_EQ(static_cast<IQVUnknown*>(widget), out);
  EXPECT_EQ(2, widget->Release()) << "one reference for the table, one for the test";
  registrar->Release();
  EXPECT_EQ(0, widget->Release()) << "the table gave its reference back";
}

}  // namespace
