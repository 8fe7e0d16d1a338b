#include "app/run_mode.h"

#include <memory>

#include "app/handoff.h"
#include "framework/language.h"
#include "app/run_acad.h"
#include "app/script_actions.h"
#include "engine/configuration.h"
#include "resources/resource.h"

std::string RunOutcomeMessage(int outcome, const PMRunRequest& request) {
  switch (outcome) {
    case RunNoProduct:
      return FormatLangString(IDS_ACAD_ID_NOT_FOUND, AcadIdFromKey(request.AcadId).c_str());
    case RunNoProfile:
      return FormatLangString(IDS_PROFILE_NOT_FOUND, request.ProfileName.c_str());
    case RunRegistryFailed:
      return LangString(IDS_CANNOT_CHANGE_PROFILE);
    case RunCannotStart:
      return LangString(IDS_CANNOT_RUN_ACAD);
    case RunNoProfiles:
      return LangString(IDS_START_ACAD_FIRST);
    default:
      return std::string();
  }
}

int RunFromCommandLine(const CPMCommandLineInfo& info, ConfigurationModel& model, ScriptOutput& output) {
  PMRunRequest request;
  request.AcadId = info.acadId;
  request.ProfileName = info.profile;
  request.AcadCommandLine = info.acadCommandLine;
  request.CreateProfile = info.create;
  request.Applications = info.applications;

  // Lives until the process ends: its thread may still deliver while AutoCAD runs.
  std::unique_ptr<HandOff> handOff;
  if (!info.handOffMessage.empty()) {
    HandOffNames names = MakeHandOffNames(info.instanceName, info.profile, info.acadId);
    request.PipeName = names.Pipe;
    handOff.reset(new HandOff(names, info.handOffMessage));
    int exitCode = 0;
    if (handOff->DeliverToRunningInstance(&exitCode)) {
      SummarizeExitCode(output, ActionText("-AcSSE", info.handOffMessage), exitCode);
      return exitCode;
    }
  }

  LoadConfiguration(model);
  const int outcome = RunAcadWithProfile(model, request);
  std::string message = RunOutcomeMessage(outcome, request);
  if (!message.empty()) output.Message(message);
  return output.Quiet() ? SummarizeExitCode(output, ActionText("-r -p", info.profile), outcome) : 0;
}
