// Replacements for the string, menu and message box functions.
#include <string.h>

#include "base/xstring.h"
#include "translate/hook.h"
#include "translate/hook_replacements.h"
#include "translate/hook_rows.h"
#include "translate/res_records.h"
#include "translate/supp_state.h"

namespace {

const int kWideTextBytes = 1024;
const int kContextMenuTextBuffer = 512;

// The translation of text without context, or text itself.
const char* Translated(const char* text) {
  if (!text || !*text) return text;
  const char* translation = TranslationDictionary().TranslateInContext(text, nullptr);
  return translation ? translation : text;
}

// The text and caption that a message box shows: their translations, "Error" for no caption.
void TranslateBoxTexts(LPCSTR& text, LPCSTR& caption) {
  LPCSTR shownText = text;
  LPCSTR shownCaption = caption ? caption : "Error";
  try {
    shownText = Translated(shownText);
    shownCaption = Translated(shownCaption);
  } catch (...) {  // no memory for a lookup: as given
    return;
  }
  text = shownText;
  caption = shownCaption;
}

}  // namespace

namespace hooks {

int WINAPI LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int size) {
  const int n = Real<decltype(&::LoadStringA)>(HOOK_LOAD_STRING_A)(module, id, buffer, size);
  if (n <= 0 || !buffer || size <= 0 || !IsTranslationActiveFor(module)) return n;
  const CWld& dictionary = TranslationDictionary();
  if (!dictionary.HasEntries()) return n;
  try {
    char key[RESOURCE_KEY_BYTES];
    const bool hasContext = StringContextKey(key, module, id);
    return dictionary.TranslateInContext(buffer, static_cast<unsigned>(size), hasContext ? key : nullptr);
  } catch (...) {  // no memory for a long lookup key: the text stays as loaded
    return n;
  }
}

int WINAPI LoadStringW(HINSTANCE module, UINT id, LPWSTR buffer, int size) {
  const int n = Real<decltype(&::LoadStringW)>(HOOK_LOAD_STRING_W)(module, id, buffer, size);
  // A size of 0 asks for a pointer to the resource itself, which stays as it is.
  if (n <= 0 || !buffer || size <= 0 || !IsTranslationActiveFor(module)) return n;
  const CWld& dictionary = TranslationDictionary();
  if (!dictionary.HasEntries()) return n;
  try {
    char text[kWideTextBytes];
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, buffer, n, text, kWideTextBytes - 1, nullptr, nullptr);
    if (bytes <= 0) return n;
    text[bytes] = 0;
    const char* translation = dictionary.TranslateInContext(text, nullptr);
    if (!translation) return n;
    CXString(translation).CopyFit(text, sizeof text);
    WCHAR wide[kWideTextBytes];
    const int converted = ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide, kWideTextBytes);
    if (converted <= 0) return n;
    const int length = converted - 1 < size - 1 ? converted - 1 : size - 1;
    memcpy(buffer, wide, length * sizeof(WCHAR));
    buffer[length] = 0;
    return length;
  } catch (...) {  // no memory: the text stays as loaded
    return n;
  }
}

HMENU WINAPI LoadMenuIndirectA(const MENUTEMPLATEA* menuTemplate) {
  HMENU menu = Real<decltype(&::LoadMenuIndirectA)>(HOOK_LOAD_MENU_INDIRECT_A)(menuTemplate);
  if (!menu || !IsTranslationActiveFor(nullptr)) return menu;
  try {
    TranslationDictionary().Translate(menu);
  } catch (...) {
  }
  return menu;
}

HMENU WINAPI LoadMenuA(HINSTANCE module, LPCSTR name) {
  if (!IsTranslationActiveFor(module)) return Real<decltype(&::LoadMenuA)>(HOOK_LOAD_MENU_A)(module, name);
  char key[RESOURCE_KEY_BYTES];
  if (IS_INTRESOURCE(name))
    BuildContextKey(key, module, CONTEXT_MENU, nullptr, static_cast<int>(reinterpret_cast<UINT_PTR>(name)));
  else
    BuildContextKey(key, module, CONTEXT_MENU, name, 0);
  HMENU menu = Real<decltype(&::LoadMenuA)>(HOOK_LOAD_MENU_A)(module, name);
  if (!menu) return menu;
  try {
    TranslationDictionary().TranslateMenu(menu, key, kContextMenuTextBuffer);
  } catch (...) {
  }
  return menu;
}

int WINAPI MessageBoxIndirectA(const MSGBOXPARAMSA* params) {
  auto real = Real<decltype(&::MessageBoxIndirectA)>(HOOK_MESSAGE_BOX_INDIRECT_A);
  if (!params || !IsTranslationActiveFor(nullptr)) return real(params);
  // A field is a string resource of the block's instance only when it is an identifier; the
  // caller's block is left as it was, the box gets a copy.
  char text[kWideTextBytes] = "";
  char caption[kWideTextBytes] = "";
  auto take = [&](LPCSTR field, char* out, const char* whenNull) -> LPCSTR {
    if (!field) return Translated(whenNull);
    if (!IS_INTRESOURCE(field)) return Translated(field);
    const UINT id = static_cast<UINT>(reinterpret_cast<UINT_PTR>(field));
    return _LoadStringNotTrans(params->hInstance, id, out, kWideTextBytes) > 0 ? Translated(out) : field;
  };
  MSGBOXPARAMSA shown = *params;
  try {
    shown.lpszText = take(params->lpszText, text, nullptr);
    shown.lpszCaption = take(params->lpszCaption, caption, "Error");
  } catch (...) {  // no memory for a lookup: the box shows the texts as given
    shown = *params;
  }
  return real(&shown);
}

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  if (IsTranslationActiveFor(nullptr)) TranslateBoxTexts(text, caption);
  return Real<decltype(&::MessageBoxA)>(HOOK_MESSAGE_BOX_A)(owner, text, caption, type);
}

int WINAPI MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD language) {
  if (IsTranslationActiveFor(nullptr)) TranslateBoxTexts(text, caption);
  return Real<decltype(&::MessageBoxExA)>(HOOK_MESSAGE_BOX_EX_A)(owner, text, caption, type, language);
}

}  // namespace hooks
