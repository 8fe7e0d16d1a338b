#include "app/handoff.h"

#include <mbstring.h>

namespace {

std::string UpperCase(std::string text) {
  if (!text.empty()) _mbsupr(reinterpret_cast<unsigned char*>(&text[0]));
  return text;
}

}  // namespace

HandOffNames MakeHandOffNames(const std::string& instanceName, const std::string& profile,
                              const std::string& acadId) {
  std::string instance = UpperCase(instanceName.empty() ? profile : instanceName);
  std::string key = acadId;
  for (char& c : key)
    if (c == '\\') c = '_';
  key = UpperCase(key);
  HandOffNames names;
  names.Semaphore = instance + "@" + key;
  names.Pipe = "\\\\.\\pipe\\" + names.Semaphore;
  return names;
}

HandOffResult WriteHandOffMessage(const std::string& pipe, const std::string& message, DWORD pipeWaitMs) {
  if (!::WaitNamedPipeA(pipe.c_str(), pipeWaitMs)) return HandOffNoPipe;
  fw::FileHandle file(::CreateFileA(pipe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return HandOffCannotOpen;
  if (!message.empty()) {
    DWORD written = 0;
    DWORD size = static_cast<DWORD>(message.size() + 1);  // with its terminating zero
    if (!::WriteFile(file.get(), message.c_str(), size, &written, nullptr) || written != size)
      return HandOffWriteFailed;
    ::FlushFileBuffers(file.get());
  }
  return HandOffDelivered;
}

HandOff::HandOff(HandOffNames names, std::string message, Timeouts timeouts)
    : names_(std::move(names)), message_(std::move(message)), timeouts_(timeouts) {}

HandOff::~HandOff() {
  // The thread may wait for the AutoCAD side for as long as the process lives; it owns
  // its own semaphore handle and ends with the process.
  if (thread_.joinable()) thread_.detach();
}

bool HandOff::DeliverToRunningInstance(int* exitCode) {
  *exitCode = 0;
  fw::Handle existing(::OpenSemaphoreA(SEMAPHORE_ALL_ACCESS, FALSE, names_.Semaphore.c_str()));
  if (existing) {
    ::Sleep(timeouts_.FirstPause);
    if (::WaitForSingleObject(existing.get(), timeouts_.SemaphoreWait) != WAIT_OBJECT_0) return true;
    HandOffResult result = WriteHandOffMessage(names_.Pipe, message_, timeouts_.PipeWait);
    // After a delivery the AutoCAD side releases the semaphore once it has handled the
    // message; after a failure it is given back here.
    if (result != HandOffDelivered) ::ReleaseSemaphore(existing.get(), 1, nullptr);
    *exitCode = result;
    return true;
  }
  semaphore_.reset(::CreateSemaphoreA(nullptr, 0, 1, names_.Semaphore.c_str()));
  HANDLE threadCopy = nullptr;
  if (semaphore_ && ::DuplicateHandle(::GetCurrentProcess(), semaphore_.get(), ::GetCurrentProcess(), &threadCopy,
                                      0, FALSE, DUPLICATE_SAME_ACCESS))
    thread_ = std::thread(&HandOff::ThreadMain, names_.Pipe, message_, threadCopy, timeouts_.ThreadPipeWait);
  return false;
}

void HandOff::JoinThread() {
  if (thread_.joinable()) thread_.join();
}

void HandOff::ThreadMain(std::string pipe, std::string message, HANDLE semaphore, DWORD pipeWaitMs) {
  fw::Handle owned(semaphore);
  if (pipe.empty() || !owned) return;
  if (::WaitForSingleObject(owned.get(), INFINITE) != WAIT_OBJECT_0) return;
  // The thread never gives the semaphore back: the AutoCAD side does once it is ready.
  WriteHandOffMessage(pipe, message, pipeWaitMs);
}
