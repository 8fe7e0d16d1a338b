// The program's command line: run requests, the report, clean-up calls and the
// pass-through part handed on to AutoCAD.
#pragma once

#include <string>

#include "engine/model.h"
#include "framework/cmdline.h"

class CPMCommandLineInfo : public fw::CommandLineInfo {
 public:
  // Which option's values are awaited.
  enum Pending {
    PendingNone = -1,        // nothing yet: a value here is stray
    PendingIgnore = 0,       // an unknown flag: its values are ignored
    PendingRun = 1,          // r takes no values
    PendingAcadId = 2,
    PendingProfile = 3,
    PendingApplications = 4,
    PendingReport = 5,
    PendingHandOff = 6,
    PendingHandOffOpen = 7,
    PendingDeleteProfile = 8,
    PendingUnregisterApp = 9,
    PendingInstanceName = 10,
    PendingExportFile = 11,
    PendingImportFile = 12,
    PendingLog = 13,
    PendingApply = 14,
    PendingCheck = 15,
  };

  void ParseParam(const char* text, bool isFlag, bool isLast) override;

  int pending = PendingNone;
  bool anyArgument = false;
  bool run = false;
  std::string acadId;  // "Software\Autodesk\" + the value of a
  std::string profile;
  bool report = false;
  std::string reportFile;
  bool passThrough = false;
  std::string acadCommandLine;  // everything after AcCL, each part behind a blank
  bool create = false;
  StringList applications;
  std::string handOffMessage;
  std::string deleteProfileName;
  std::string unregisterAppName;
  std::string instanceName;
  std::string exportFile;  // value of export
  std::string importFile;  // value of import
  bool replace = false;    // option replace: an import may replace an existing profile
  // Scripting mode: no message boxes, messages on standard error and in the log file.
  bool quiet = false;
  std::string logFile;
  std::string applyFile;  // the site standard to apply
  std::string checkFile;  // the site standard to compare with

 private:
  void ParseFlag(const char* flag);
  void ParseValue(const char* value);
  void AppendPassThrough(const char* text, bool isFlag);
};

// The prefix that marks a hand-off message given with AcOpen.
extern const char kHandOffOpenPrefix[];
