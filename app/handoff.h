// Handing a message to an AutoCAD instance that an earlier run started, through the
// named pipe that the AutoCAD side serves; a semaphore named after the instance
// serialises the deliveries.
#pragma once

#include <memory>
#include <string>
#include <thread>

#include "base/handles.h"

struct HandOffNames {
  std::string Pipe;       // "\\.\pipe\INSTANCE@KEY"
  std::string Semaphore;  // "INSTANCE@KEY"
};

// Instance name (the profile when empty) and the AutoCAD id with its "Software\Autodesk\"
// head, every backslash turned into '_'; both upper-cased.
HandOffNames MakeHandOffNames(const std::string& instanceName, const std::string& profile,
                              const std::string& acadId);

// Exit codes of a delivery to an instance that is already running.
enum HandOffResult {
  HandOffDelivered = 0,      // also: the semaphore wait timed out
  HandOffWriteFailed = 1,
  HandOffCannotOpen = 2,
  HandOffNoPipe = 3,
};

// Writes message with its terminating zero into the pipe, waiting at most pipeWaitMs for
// it to become available.
HandOffResult WriteHandOffMessage(const std::string& pipe, const std::string& message, DWORD pipeWaitMs);

// The hand-off of one run-mode process.
class HandOff {
 public:
  struct Timeouts {
    DWORD FirstPause = 200;
    DWORD SemaphoreWait = 120000;
    DWORD PipeWait = 10000;        // delivery to a running instance
    DWORD ThreadPipeWait = 60000;  // delivery by the hand-off thread
  };

  HandOff(HandOffNames names, std::string message, Timeouts timeouts);
  HandOff(HandOffNames names, std::string message) : HandOff(std::move(names), std::move(message), Timeouts()) {}
  ~HandOff();
  HandOff(const HandOff&) = delete;
  HandOff& operator=(const HandOff&) = delete;

  // True when an earlier process already serves this instance: the message was handed to
  // it (or the wait timed out) and *exitCode says how it went; AutoCAD is not started.
  // Otherwise creates the semaphore (count 0), starts the hand-off thread and returns false.
  bool DeliverToRunningInstance(int* exitCode);

  // Waits for the hand-off thread (it ends once its message is delivered or given up).
  void JoinThread();

 private:
  static void ThreadMain(std::string pipe, std::string message, HANDLE semaphore, DWORD pipeWaitMs);

  HandOffNames names_;
  std::string message_;
  Timeouts timeouts_;
  fw::Handle semaphore_;
  std::thread thread_;
};
