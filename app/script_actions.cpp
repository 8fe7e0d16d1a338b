#include "app/script_actions.h"

#include <stdio.h>

#include "app/report.h"
#include "engine/configuration.h"
#include "engine/regdll_bridge.h"
#include "framework/language.h"
#include "resources/resource.h"
#include "ui/registration_notice.h"

namespace {

// Scripting mode reports with exit codes; otherwise the program ends with 0 as always.
int Result(const ScriptOutput& output, int exitCode) { return output.Quiet() ? exitCode : 0; }

int Finish(ScriptOutput& output, const std::string& action, int exitCode, UINT summary) {
  output.Summary(FormatLangString(summary, action.c_str()));
  return Result(output, exitCode);
}

bool AnyProfileNamed(const ConfigurationModel& model, const std::string& name) {
  for (const PMAcad& product : model)
    for (const PMAcadProfile& profile : product.Profiles)
      if (::lstrcmpiA(profile.Name.c_str(), name.c_str()) == 0) return true;
  return false;
}

bool AnyApplicationNamed(const ConfigurationModel& model, const std::string& name) {
  for (const PMAcad& product : model)
    for (const PMApplication& application : product.Applications)
      if (::lstrcmpiA(application.Name.c_str(), name.c_str()) == 0) return true;
  return false;
}

// A clean-up call of the registration library; asked only when there is something to remove.
// Without the library or its entry the call would do nothing: the caller is told why instead.
int CleanUp(const std::string& action, const std::string& name, bool present, RegistrationLibrary::Use use,
            int (*call)(const RegistrationLibrary&, const char*), const RegistrationLibrary& library,
            ScriptOutput& output) {
  if (!present && output.Quiet()) return Finish(output, action, ExitDone, IDS_SUMMARY_NOTHING_TO_DO);
  const std::string notice = RegistrationLibraryNotice(library, use);
  if (!notice.empty()) {
    output.Message(notice);
    return SummarizeExitCode(output, action, ExitPartialFailure);
  }
  if (call(library, name.c_str())) return Finish(output, action, ExitDone, IDS_SUMMARY_DONE);
  if (output.Quiet()) output.Message(FormatLangString(IDS_CLEANUP_FAILED, name.c_str()));
  return SummarizeExitCode(output, action, ExitPartialFailure);
}

}  // namespace

std::string ActionText(const char* option, const std::string& value) {
  return std::string(option) + " \"" + value + "\"";
}

int SummarizeExitCode(ScriptOutput& output, const std::string& action, int exitCode) {
  if (exitCode == 0) return Finish(output, action, ExitDone, IDS_SUMMARY_DONE);
  output.Summary(FormatLangString(IDS_SUMMARY_FAILED, action.c_str(), exitCode));
  return Result(output, exitCode);
}

int WriteReportFile(const std::string& file, ConfigurationModel& model, ScriptOutput& output) {
  const std::string action = ActionText("-d", file);
  FILE* report = fopen(file.c_str(), "wb");
  if (!report) {
    // Without scripting mode a report file that cannot be created is passed over silently.
    if (output.Quiet()) output.Message(FormatLangString(IDS_CANNOT_WRITE_FILE, file.c_str()));
    return Finish(output, action, ExitBadInput, IDS_SUMMARY_BAD_INPUT);
  }
  LoadConfiguration(model);
  WriteConfigurationReport(model, report);
  const bool written = ferror(report) == 0;
  const bool closed = fclose(report) == 0;
  if (written && closed) return Finish(output, action, ExitDone, IDS_SUMMARY_DONE);
  if (output.Quiet()) output.Message(FormatLangString(IDS_CANNOT_WRITE_FILE, file.c_str()));
  return SummarizeExitCode(output, action, ExitPartialFailure);
}

int DeleteProfileEverywhere(const std::string& profile, ConfigurationModel& model, const RegistrationLibrary& library,
                            ScriptOutput& output) {
  if (output.Quiet()) LoadConfiguration(model);
  return CleanUp(ActionText("-dp", profile), profile, AnyProfileNamed(model, profile),
                 RegistrationLibrary::Use::DeleteProfile,
                 [](const RegistrationLibrary& l, const char* name) { return l.DeleteProfileAllAcads(name); }, library,
                 output);
}

int UnregisterApplicationEverywhere(const std::string& application, ConfigurationModel& model,
                                    const RegistrationLibrary& library, ScriptOutput& output) {
  if (output.Quiet()) LoadConfiguration(model);
  return CleanUp(ActionText("-ua", application), application, AnyApplicationNamed(model, application),
                 RegistrationLibrary::Use::UnregisterApplication,
                 [](const RegistrationLibrary& l, const char* name) { return l.UnregAppInPManAllAcads(name); }, library,
                 output);
}

int ShowUsage(ScriptOutput& output) {
  output.Message(LangString(IDS_USAGE));
  return Finish(output, "Tarnwick.exe", ExitBadInput, IDS_SUMMARY_BAD_INPUT);
}
