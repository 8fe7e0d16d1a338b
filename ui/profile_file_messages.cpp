#include "ui/profile_file_messages.h"

#include "framework/language.h"
#include "resources/resource.h"

std::string SystemErrorText(DWORD error) {
  char text[512] = "";
  DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                  text, sizeof text, nullptr);
  while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == ' ')) --length;
  if (length == 0) return "error " + std::to_string(error);
  return std::string(text, length);
}

std::string BackupFailureText(const BackupFailure& failure) {
  return FormatLangString(IDS_BACKUP_FAILED, failure.Profile.c_str(), failure.Path.c_str(),
                          SystemErrorText(failure.Error).c_str());
}

std::string ProfileFileErrorText(const std::string& file, const ProfileFileError& error) {
  switch (error.Problem) {
    case ProfileFileProblem::None:
      return std::string();
    case ProfileFileProblem::Unreadable:
      return FormatLangString(IDS_FILE_UNREADABLE, file.c_str());
    case ProfileFileProblem::TooLarge:
      return FormatLangString(IDS_FILE_TOO_LARGE, file.c_str());
    case ProfileFileProblem::OutsideProfile:
      return FormatLangString(IDS_FILE_OUTSIDE_PROFILE, file.c_str(), error.Line);
    default:
      return FormatLangString(IDS_FILE_NOT_PROFILE, file.c_str(), error.Line);
  }
}

std::string ExportFailureText(const std::string& profile, const std::string& file, DWORD error) {
  if (error == ERROR_FILE_NOT_FOUND) return FormatLangString(IDS_PROFILE_NOT_FOUND, profile.c_str());
  return FormatLangString(IDS_EXPORT_FAILED, profile.c_str(), file.c_str(), SystemErrorText(error).c_str());
}

std::string ImportFailureText(const std::string& file, const ImportOutcome& outcome) {
  switch (outcome.Status) {
    case ImportStatus::Imported:
      return std::string();
    case ImportStatus::NotProfileFile:
      return ProfileFileErrorText(file, outcome.FileError);
    case ImportStatus::BadName:
      return FormatLangString(IDS_PROFILE_WRITE_FAILED, outcome.Name.c_str(),
                              SystemErrorText(ERROR_INVALID_NAME).c_str());
    case ImportStatus::NameInUse:
      return FormatLangString(IDS_PROFILE_EXISTS, outcome.Name.c_str());
    case ImportStatus::BackupFailed:
      return BackupFailureText(outcome.Backup);
    case ImportStatus::WriteFailed:
      return FormatLangString(IDS_PROFILE_WRITE_FAILED, outcome.Name.c_str(),
                              SystemErrorText(static_cast<DWORD>(outcome.WriteError)).c_str());
  }
  return std::string();
}
