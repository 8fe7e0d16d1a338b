#include "app/command_line.h"

#include <mbstring.h>

#include "framework/cmdline.h"

const char kHandOffOpenPrefix[] = "TARNWIK_ACSSE_OPEN_";

namespace {

bool FlagIs(const char* flag, const char* name) {
  return _mbsicmp(reinterpret_cast<const unsigned char*>(flag),
                  reinterpret_cast<const unsigned char*>(name)) == 0;
}

}  // namespace

void CPMCommandLineInfo::ParseParam(const char* text, bool isFlag, bool /*isLast*/) {
  anyArgument = true;
  if (passThrough) {
    AppendPassThrough(text, isFlag);
    return;
  }
  if (isFlag)
    ParseFlag(text);
  else
    ParseValue(text);
}

void CPMCommandLineInfo::ParseFlag(const char* flag) {
  if (FlagIs(flag, "r")) {
    run = true;
    pending = PendingRun;
  } else if (FlagIs(flag, "a")) {
    pending = PendingAcadId;
  } else if (FlagIs(flag, "p")) {
    pending = PendingProfile;
  } else if (FlagIs(flag, "c")) {
    create = true;
  } else if (FlagIs(flag, "g")) {
    pending = PendingApplications;
  } else if (FlagIs(flag, "d")) {
    pending = PendingReport;
  } else if (FlagIs(flag, "AcSSE")) {
    pending = PendingHandOff;
  } else if (FlagIs(flag, "AcOpen")) {
    pending = PendingHandOffOpen;
  } else if (FlagIs(flag, "dp")) {
    pending = PendingDeleteProfile;
  } else if (FlagIs(flag, "ua")) {
    pending = PendingUnregisterApp;
  } else if (FlagIs(flag, "AcCL")) {
    passThrough = true;
  } else if (FlagIs(flag, "InstName")) {
    pending = PendingInstanceName;
  } else if (FlagIs(flag, "export")) {
    pending = PendingExportFile;
  } else if (FlagIs(flag, "import")) {
    pending = PendingImportFile;
  } else if (FlagIs(flag, "replace")) {
    replace = true;
  } else if (FlagIs(flag, "quiet")) {
    quiet = true;
  } else if (FlagIs(flag, "log")) {
    pending = PendingLog;
  } else if (FlagIs(flag, "apply")) {
    pending = PendingApply;
  } else if (FlagIs(flag, "check")) {
    pending = PendingCheck;
  } else {
    pending = PendingIgnore;
  }
}

void CPMCommandLineInfo::ParseValue(const char* value) {
  switch (pending) {
    case PendingNone:  // a stray value: nothing is stored
      pending = PendingIgnore;
      break;
    case PendingIgnore:
    case PendingRun:
      break;
    case PendingAcadId:
      acadId = std::string(kAutodeskPrefix) + value;
      pending = PendingNone;
      break;
    case PendingProfile:
      profile = value;
      pending = PendingNone;
      break;
    case PendingApplications:
      applications.push_back(value);
      break;
    case PendingReport:
      report = true;
      reportFile = value;
      pending = PendingNone;
      break;
    case PendingHandOff:
      handOffMessage = value;
      break;
    case PendingHandOffOpen:
      handOffMessage = std::string(kHandOffOpenPrefix) + value;
      break;
    case PendingDeleteProfile:
      deleteProfileName = value;
      break;
    case PendingUnregisterApp:
      unregisterAppName = value;
      break;
    case PendingInstanceName:
      instanceName = value;
      break;
    case PendingExportFile:
      exportFile = value;
      pending = PendingNone;
      break;
    case PendingImportFile:
      importFile = value;
      pending = PendingNone;
      break;
    case PendingLog:
      logFile = value;
      pending = PendingNone;
      break;
    case PendingApply:
      applyFile = value;
      pending = PendingNone;
      break;
    case PendingCheck:
      checkFile = value;
      pending = PendingNone;
      break;
  }
}

void CPMCommandLineInfo::AppendPassThrough(const char* text, bool isFlag) {
  if (isFlag) {
    acadCommandLine += " /";
    acadCommandLine += text;
  } else if (fw::NeedsQuoting(text)) {
    // Quoted by the argument rules, so that a value holding a quote cannot add options.
    acadCommandLine += ' ';
    acadCommandLine += fw::QuoteArgument(text);
  } else {
    acadCommandLine += ' ';
    acadCommandLine += text;
  }
}
