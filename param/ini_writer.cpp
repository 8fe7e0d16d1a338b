// Param_Param2IniFile: a parameter tree written as INI text, depth first.
#include <string.h>

#include "base/exceptions.h"
#include "fio/xfile.h"
#include "param/ini.h"
#include "param/ini_value.h"
#include "param/name_snapshot.h"
#include "param/param_ref.h"

namespace {

void WriteText(IXFile* out, const CXString& text) {
  out->Write(static_cast<const char*>(text), text.GetSize());
}

void WriteNode(IXFile* out, IParam* node, const CXString& path) {
  WriteText(out, "\r\n[" + path + "]\r\n");
  CNameSnapshot values(node->EnumValues());
  for (CNameSnapshot::Node* name = values.First(); name; name = name->next) {
    // A name holding a line break would turn into lines of its own.
    if (!IniNameFitsOnALine(name->value)) continue;
    CQVVariant value;
    if (!node->GetValue(name->value, &value)) continue;
    CXString line(name->value);
    line += '=';
    if (!IniFormatValue(value, line)) continue;
    line += "\r\n";
    WriteText(out, line);
  }
  CNameSnapshot children(node->EnumChildren());
  for (CNameSnapshot::Node* name = children.First(); name; name = name->next) {
    if (!IniNameFitsOnALine(name->value)) continue;
    QVRef<IParam> child(node->GetChild(name->value, FALSE));
    if (!child) continue;
    const CXString childPath = path.Compare("\\") == 0 ? path + name->value : path + "\\" + name->value;
    WriteNode(out, child.Get(), childPath);
  }
}

}  // namespace

extern "C" BOOL Param_Param2IniFile(IParam* root, const char* fileName) {
  if (!root) return 0;
  QVRef<IXOutFile> out(Fio_OpenOut(fileName, FIO_READWRITE));
  WriteNode(out.Get(), root, "\\");
  out->Commit();
  return 1;
}
