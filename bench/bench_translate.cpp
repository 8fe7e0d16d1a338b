// Translation benchmark: LoadStringA through the hooked import against the real function, for
// a string without and with a translation, with a dictionary of 10,000 entries; and
// TranslateDlgInternal on the main dialog's template 101. Prints figures and ratios measured
// in one run; asserts nothing.
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

#include <string>

#include "resources/resource.h"
#include "translate/dlg_template.h"
#include "translate/hook.h"
#include "translate/supp.h"
#include "bench/stopwatch.h"

namespace {

volatile unsigned g_sink;  // keeps results alive so no loop is optimised away

const int kEntries = 10000;
const int kCalls = 200000;
const int kDialogCalls = 5000;

// Nanoseconds per call of load(id, buffer).
template <class Load>
double LoadNs(Load load, UINT id) {
  char buffer[256];
  unsigned sum = 0;
  Stopwatch watch;
  for (int i = 0; i < kCalls; ++i) sum += load(id, buffer) + buffer[0];
  g_sink = sum;
  return watch.Seconds() * 1e9 / kCalls;
}

int ThroughImport(UINT id, char* buffer) {
  return ::LoadStringA(::GetModuleHandleA(nullptr), id, buffer, 256);
}
int Untranslated(UINT id, char* buffer) {
  return _LoadStringNotTrans(::GetModuleHandleA(nullptr), id, buffer, 256);
}

double DialogNs(const DLGTEMPLATE* dialogTemplate) {
  unsigned sum = 0;
  Stopwatch watch;
  for (int i = 0; i < kDialogCalls; ++i) {
    int size = 0;
    DLGTEMPLATE* copy = TranslateDlgInternal(dialogTemplate, &size);
    sum += size;
    if (size) free(copy);
  }
  g_sink = sum;
  return watch.Seconds() * 1e9 / kDialogCalls;
}

std::string ProgramFolder() {
  char path[MAX_PATH] = "";
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

// 10,000 entries that none of the program's texts match, and one that translates a string.
std::string WriteDictionary() {
  char temp[MAX_PATH] = "";
  ::GetTempPathA(MAX_PATH, temp);
  const std::string path = std::string(temp) + "bench_translate.wld";
  FILE* file = fopen(path.c_str(), "wb");
  if (!file) return std::string();
  for (int i = 0; i < kEntries - 1; ++i)
    fprintf(file, "\"Synthetic text number %05d\"\r\n\"Kunsttext Nummer %05d\"\r\n", i, i);
  fprintf(file,
          "\"Cannot delete the current profile\"\r\n\"Das aktuelle Profil kann nicht geloescht werden\"\r\n");
  fclose(file);
  return path;
}

}  // namespace

int main() {
  HMODULE self = ::GetModuleHandleA(nullptr);
  // The template as the module holds it, found before the hooks are in.
  const DLGTEMPLATE* mainDialog = static_cast<const DLGTEMPLATE*>(
      ::LockResource(::LoadResource(self, ::FindResourceExA(self, RT_DIALOG, MAKEINTRESOURCEA(IDD_MAIN),
                                                            MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)))));
  const double plainImport = LoadNs(ThroughImport, IDS_EMPTY_NAME);

  const std::string dictionary = WriteDictionary();
  if (dictionary.empty() || !Supp_Init(dictionary.c_str())) {
    printf("bench_translate: cannot write the dictionary\n");
    return 1;
  }
  ::DeleteFileA(dictionary.c_str());
  Supp_InitResTranslation(self);

  char check[256];
  ThroughImport(IDS_CANNOT_DELETE_CURRENT, check);
  printf("Translation (dictionary of %d entries; \"%s\")\n", kEntries, check);
  const double real = LoadNs(Untranslated, IDS_EMPTY_NAME);
  const double hookedMissing = LoadNs(ThroughImport, IDS_EMPTY_NAME);
  const double realTranslated = LoadNs(Untranslated, IDS_CANNOT_DELETE_CURRENT);
  const double hookedFound = LoadNs(ThroughImport, IDS_CANNOT_DELETE_CURRENT);
  printf("  LoadStringA, real function, before hooking  %8.0f ns\n", plainImport);
  printf("  LoadStringA, real function                  %8.0f ns\n", real);
  printf("  LoadStringA hooked, no translation          %8.0f ns   ratio %.2f (goal <= 2)\n", hookedMissing,
         hookedMissing / real);
  printf("  LoadStringA hooked, translated              %8.0f ns   ratio %.2f\n", hookedFound,
         hookedFound / realTranslated);

  const double dialogMissing = DialogNs(mainDialog);
  Supp_AddWld((ProgramFolder() + "Tarnwick.de.wld").c_str());
  const double dialogGerman = DialogNs(mainDialog);
  printf("  TranslateDlgInternal, template 101, texts not in the dictionary  %8.0f ns\n", dialogMissing);
  printf("  TranslateDlgInternal, template 101, German sample added          %8.0f ns\n", dialogGerman);
  return 0;
}
