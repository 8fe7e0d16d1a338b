#include "app/profile_commands.h"

#include "app/command_messages.h"
#include "engine/configuration.h"
#include "engine/profile_file.h"
#include "engine/profile_import.h"
#include "framework/language.h"
#include "resources/resource.h"
#include "ui/profile_file_messages.h"

namespace {

// The product that option a names; says so when there is none.
const PMAcad* FindRequestedProduct(const CPMCommandLineInfo& info, ConfigurationModel& model) {
  LoadConfiguration(model);
  const PMAcad* product = FindProductByKey(model, info.acadId);
  if (!product)
    ShowCommandMessage(FormatLangString(IDS_ACAD_ID_NOT_FOUND, AcadIdFromKey(info.acadId).c_str()),
                       MB_OK | MB_ICONSTOP);
  return product;
}

}  // namespace

bool ExportFromCommandLine(const CPMCommandLineInfo& info, ConfigurationModel& model) {
  const PMAcad* product = FindRequestedProduct(info, model);
  if (!product) return false;
  const DWORD error = ExportProfile(product->Key, info.profile, info.exportFile);
  if (error == ERROR_SUCCESS) return true;
  ShowCommandMessage(ExportFailureText(info.profile, info.exportFile, error), MB_OK | MB_ICONSTOP);
  return false;
}

bool ImportFromCommandLine(const CPMCommandLineInfo& info, ConfigurationModel& model, const std::string& backupRoot) {
  const PMAcad* product = FindRequestedProduct(info, model);
  if (!product) return false;
  const ImportOutcome outcome = ImportProfile(info.importFile, *product, info.profile, info.replace, backupRoot);
  if (outcome.Status == ImportStatus::Imported) return true;
  ShowCommandMessage(ImportFailureText(info.importFile, outcome), MB_OK | MB_ICONSTOP);
  return false;
}
