#include "app/site_mode.h"

#include <algorithm>

#include "app/site_file.h"
#include "app/site_sources.h"
#include "engine/backups.h"
#include "engine/configuration.h"
#include "engine/regdll_bridge.h"
#include "framework/language.h"
#include "resources/resource.h"

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string ErrorDetail(const SiteError& error) {
  switch (error.Kind) {
    case SiteErrorKind::BadSection:
      return LangString(IDS_SITE_BAD_SECTION);
    case SiteErrorKind::BadKey:
      return FormatLangString(IDS_SITE_BAD_KEY, error.Key.c_str());
    case SiteErrorKind::MissingKey:
      return FormatLangString(IDS_SITE_MISSING_KEY, error.Key.c_str());
    case SiteErrorKind::BadValue:
      return FormatLangString(IDS_SITE_BAD_VALUE, error.Key.c_str(), error.Value.c_str());
  }
  return std::string();
}

// Everything needed before the workstation is looked at: the file, its sense, its sources.
class SiteRun {
 public:
  SiteRun(const std::string& siteFile, ScriptOutput& output) : siteFile_(siteFile), output_(output) {}

  bool Load() {
    std::string text;
    if (!ReadWholeFile(siteFile_, text)) return CannotRead(siteFile_);
    const std::vector<IniSection> sections = ParseIniText(text);
    std::vector<SiteError> errors = ParseSiteStandard(sections, site_);
    if (sections.empty()) errors.push_back(SiteError{SiteErrorKind::BadSection, std::string(), {}, {}});
    for (const SiteError& error : errors) output_.Message(SiteErrorText(siteFile_, error));
    if (!errors.empty()) return false;
    return sources_.Load(siteFile_, site_, output_);
  }

  // Errors of the standard against this workstation: nothing may be changed.
  bool Sound(const SitePlan& plan) {
    for (const SiteError& error : plan.Errors) output_.Message(SiteErrorText(siteFile_, error));
    for (const SiteNote& note : plan.Notes) output_.Message(SiteNoteText(note));
    return plan.Errors.empty();
  }

  const SiteStandard& Site() const { return site_; }
  SiteProfileFiles Files() const { return sources_.Files(DefaultBackupRoot(), output_); }

 private:
  bool CannotRead(const std::string& name) {
    output_.Message(FormatLangString(IDS_CANNOT_READ_FILE, name.c_str()));
    return false;
  }

  std::string siteFile_;
  ScriptOutput& output_;
  SiteStandard site_;
  SiteSources sources_;
};

int Finish(ScriptOutput& output, const std::string& action, int exitCode, UINT summary, int count = 0) {
  output.Summary(FormatLangString(summary, action.c_str(), count));
  return exitCode;
}

int Check(SiteRun& run, const std::string& action, ConfigurationModel& model, ScriptOutput& output) {
  LoadConfiguration(model);
  const SitePlan plan = PlanSiteStandard(model, run.Site(), run.Files().Differs);
  if (!run.Sound(plan)) return Finish(output, action, ExitBadInput, IDS_SUMMARY_BAD_INPUT);
  for (const SiteChange& change : plan.Changes) output.Message(SiteChangeText(change, run.Site()));
  if (plan.Changes.empty()) return Finish(output, action, ExitDone, IDS_SUMMARY_NOTHING_TO_DO);
  return Finish(output, action, ExitDifferences, IDS_SUMMARY_DIFFERENCES, static_cast<int>(plan.Changes.size()));
}

int Apply(SiteRun& run, const std::string& action, ConfigurationModel& model, ScriptOutput& output) {
  const SiteApplyResult result =
      ApplySiteStandard(model, run.Site(), run.Files(), RegistrationLibrary::Instance());
  if (!run.Sound(result.First)) return Finish(output, action, ExitBadInput, IDS_SUMMARY_BAD_INPUT);
  for (const SiteChange& change : result.Made) output.Message(SiteChangeText(change, run.Site()));
  // One line per profile that stays different, however many of its changes failed.
  std::vector<std::string> named;
  for (const SiteChange& change : result.Failed) {
    const std::string line = FormatLangString(IDS_SITE_CHANGE_FAILED, change.ProductName.c_str(), change.Profile.c_str());
    if (std::find(named.begin(), named.end(), line) == named.end()) named.push_back(line);
  }
  for (const std::string& line : named) output.Message(line);
  if (!result.Failed.empty())
    return Finish(output, action, ExitPartialFailure, IDS_SUMMARY_PARTIAL, static_cast<int>(named.size()));
  if (result.Made.empty()) return Finish(output, action, ExitDone, IDS_SUMMARY_NOTHING_TO_DO);
  return Finish(output, action, ExitDone, IDS_SUMMARY_DONE);
}

}  // namespace

std::string SiteErrorText(const std::string& siteFile, const SiteError& error) {
  return FormatLangString(IDS_SITE_ERROR, siteFile.c_str(), error.Section.c_str(), ErrorDetail(error).c_str());
}

std::string SiteChangeText(const SiteChange& change, const SiteStandard& site) {
  const char* product = change.ProductName.c_str();
  const char* profile = change.Profile.c_str();
  const std::string source = change.SiteProfile >= 0 ? site.Profiles[change.SiteProfile].Source : std::string();
  switch (change.Kind) {
    case SiteChangeKind::CreateProfile:
      return FormatLangString(IDS_SITE_MISSING_PROFILE, product, profile, source.c_str());
    case SiteChangeKind::ReplaceProfile:
      return FormatLangString(IDS_SITE_CHANGED_PROFILE, product, profile, source.c_str());
    case SiteChangeKind::SetDescription:
      return FormatLangString(IDS_SITE_DIFFERENT_VALUE, product, profile, "Description", change.Have.c_str(),
                              change.Want.c_str());
    case SiteChangeKind::SetApplications:
      return FormatLangString(IDS_SITE_DIFFERENT_VALUE, product, profile, "Applications", change.Have.c_str(),
                              change.Want.c_str());
    case SiteChangeKind::SetCurrent:
      return FormatLangString(IDS_SITE_DIFFERENT_VALUE, product, profile, "Current", change.Have.c_str(),
                              change.Want.c_str());
    case SiteChangeKind::RemoveProfile:
      return FormatLangString(IDS_SITE_REMOVE_PROFILE, product, profile);
  }
  return std::string();
}

std::string SiteNoteText(const SiteNote& note) {
  return FormatLangString(IDS_SITE_NOT_REGISTERED, note.ProductName.c_str(), note.Application.c_str(),
                          note.Profile.c_str());
}

int RunSiteStandard(const std::string& siteFile, bool apply, ConfigurationModel& model, ScriptOutput& output) {
  const std::string action = std::string(apply ? "-apply " : "-check ") + Quoted(siteFile);
  SiteRun run(siteFile, output);
  if (!run.Load()) return Finish(output, action, ExitBadInput, IDS_SUMMARY_BAD_INPUT);
  return apply ? Apply(run, action, model, output) : Check(run, action, model, output);
}
