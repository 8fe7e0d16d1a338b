// Loading translated dialog layouts from a layout file:
//   [\<module file name>\Dialogs\<dialog id, with or without "#">]
//   Dialog Size=z<width change>,<height change>
//   <item number>=t<left>,<top>,<right>,<bottom>
#include "translate/dlg_layout.h"

#include <stdio.h>
#include <stdlib.h>

#include "base/exceptions.h"
#include "base/variant.h"
#include "base/xstring.h"
#include "param/ini.h"
#include "param/param.h"
#include "param/param_ref.h"
#include "translate/res_records.h"
#include "translate/wld.h"

namespace {

const char kDialogsNode[] = "Dialogs";
const char kDialogSizeValue[] = "Dialog Size";

// Calls visit for every name the enumerator yields, then releases it.
template <class Visit>
void ForEachName(CTEnum<const char*>* names, Visit visit) {
  QVRef<CTEnum<const char*>> held(names);
  if (!held) return;
  const char* name;
  while (held->Next(1, &name, nullptr)) visit(name ? name : "");
}

// The value converted to type, or false.
bool ReadValueAs(IParam* node, const char* name, unsigned short type, CQVVariant* out) {
  CQVVariant value;
  if (!node->GetValue(name, &value)) return false;
  return QVVariantChangeType(out, &value, type) != FALSE;
}

// The layout of one dialog node, or null when the node holds no value.
QVDlgPos* ReadDialogLayout(IParam* dialog) {
  bool anyValue = false;
  ForEachName(dialog->EnumValues(), [&](const char*) { anyValue = true; });
  if (!anyValue) return nullptr;
  QVDlgPos* layout = new QVDlgPos;
  try {
    CQVVariant size;
    if (ReadValueAs(dialog, kDialogSizeValue, QVT_SIZE, &size)) {
      layout->m_cx = size.sizeVal.cx;
      layout->m_cy = size.sizeVal.cy;
    }
    ForEachName(dialog->EnumValues(), [&](const char* name) {
      CQVVariant edges;
      if (!ReadValueAs(dialog, name, QVT_RECT, &edges)) return;
      const CIRect rect = {edges.rcVal.left, edges.rcVal.top, edges.rcVal.right, edges.rcVal.bottom};
      layout->m_items.SetAt(static_cast<unsigned>(atoi(name)), rect);
    });
  } catch (...) {
    delete layout;
    throw;
  }
  return layout;
}

// The resource context key of a dialog node: "%s#%d%s" for a name with "#", else "%s#%d#%s".
CXString DialogKey(const char* moduleName, const char* dialogName) {
  CXString key;
  key.Format(*dialogName == '#' ? "%s#%d%s" : "%s#%d#%s", moduleName, CONTEXT_DIALOG, dialogName);
  return key;
}

}  // namespace

void LoadLayoutsFromParam(CWld& dictionary, IParam* root) {
  if (!root) return;
  ForEachName(root->EnumChildren(), [&](const char* moduleName) {
    QVRef<IParam> module(root->GetChild(moduleName, FALSE));
    QVRef<IParam> dialogs(module ? module->GetChild(kDialogsNode, FALSE) : nullptr);
    if (!dialogs) return;
    ForEachName(dialogs->EnumChildren(), [&](const char* dialogName) {
      QVRef<IParam> dialog(dialogs->GetChild(dialogName, FALSE));
      if (!dialog) return;
      if (QVDlgPos* layout = ReadDialogLayout(dialog.Get()))
        dictionary.SetLayout(DialogKey(moduleName, dialogName), layout);
    });
  });
}

void LoadDialogLayouts(CWld& dictionary, const char* layoutPath) {
  try {
    QVRef<IParam> store(new_MemParam());
    Param_IniFile2Param(layoutPath, store.Get());
    LoadLayoutsFromParam(dictionary, store.Get());
  } catch (const CXException&) {  // missing or unreadable (or no memory): the layouts read so far stay
  }
}
