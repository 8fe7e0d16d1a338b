#include "tests/param/param_test_util.h"

#include "param/param_ref.h"

namespace {

void AppendNode(IParam* node, const std::string& path, std::string& out) {
  out += "[" + path + "]";
  for (const std::string& name : ValueNames(node)) out += " " + name + "=" + ValueAt(node, name.c_str());
  out += "\n";
  for (const std::string& name : Drain(node->EnumChildren())) {
    QVRef<IParam> child(node->GetChild(name.c_str(), FALSE));
    if (child) AppendNode(child.Get(), path == "\\" ? path + name : path + "\\" + name, out);
  }
}

}  // namespace

std::string MemFileName(const std::string& text) {
  return "fmem::" + std::to_string(reinterpret_cast<unsigned long>(text.data())) + "," +
         std::to_string(text.size());
}

std::string TreeText(IParam* root) {
  std::string out;
  AppendNode(root, "\\", out);
  return out;
}
