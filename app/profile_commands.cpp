#include "app/profile_commands.h"

#include "app/script_actions.h"
#include "engine/configuration.h"
#include "engine/profile_file.h"
#include "engine/profile_import.h"
#include "framework/language.h"
#include "resources/resource.h"
#include "ui/profile_file_messages.h"

namespace {

// The product that option a names; says so when there is none.
const PMAcad* FindRequestedProduct(const CPMCommandLineInfo& info, ConfigurationModel& model, ScriptOutput& output) {
  LoadConfiguration(model);
  const PMAcad* product = FindProductByKey(model, info.acadId);
  if (!product)
    output.Message(FormatLangString(IDS_ACAD_ID_NOT_FOUND, AcadIdFromKey(info.acadId).c_str()), MB_OK | MB_ICONSTOP);
  return product;
}

}  // namespace

int ExportFromCommandLine(const CPMCommandLineInfo& info, ConfigurationModel& model, ScriptOutput& output) {
  const std::string action = ActionText("-export", info.exportFile);
  const PMAcad* product = FindRequestedProduct(info, model, output);
  if (!product) return SummarizeExitCode(output, action, ExitBadInput);
  const DWORD error = ExportProfile(product->Key, info.profile, info.exportFile);
  if (error == ERROR_SUCCESS) return SummarizeExitCode(output, action, ExitDone);
  output.Message(ExportFailureText(info.profile, info.exportFile, error), MB_OK | MB_ICONSTOP);
  return SummarizeExitCode(output, action, ExitBadInput);
}

int ImportFromCommandLine(const CPMCommandLineInfo& info, ConfigurationModel& model, const std::string& backupRoot,
                          ScriptOutput& output) {
  const std::string action = ActionText("-import", info.importFile);
  const PMAcad* product = FindRequestedProduct(info, model, output);
  if (!product) return SummarizeExitCode(output, action, ExitBadInput);
  const ImportOutcome outcome = ImportProfile(info.importFile, *product, info.profile, info.replace, backupRoot);
  if (outcome.Status == ImportStatus::Imported) return SummarizeExitCode(output, action, ExitDone);
  output.Message(ImportFailureText(info.importFile, outcome), MB_OK | MB_ICONSTOP);
  const bool writeFailed = outcome.Status == ImportStatus::BackupFailed || outcome.Status == ImportStatus::WriteFailed;
  return SummarizeExitCode(output, action, writeFailed ? ExitPartialFailure : ExitBadInput);
}
