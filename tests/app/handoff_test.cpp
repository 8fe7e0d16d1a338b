#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "app/handoff.h"

namespace {

TEST(HandOffNames, InstanceAndKeyUpperCased) {
  HandOffNames names = MakeHandOffNames("abc", "ignored", "Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409");
  EXPECT_EQ("ABC@SOFTWARE_AUTODESK_AUTOCAD_R16.0_ACAD-201:409", names.Semaphore);
  EXPECT_EQ("\\\\.\\pipe\\ABC@SOFTWARE_AUTODESK_AUTOCAD_R16.0_ACAD-201:409", names.Pipe);
}

TEST(HandOffNames, InstanceDefaultsToTheProfile) {
  HandOffNames names = MakeHandOffNames("", "Drafting", "Software\\Autodesk\\AutoCAD LT\\R9\\ACLT-1");
  EXPECT_EQ("DRAFTING@SOFTWARE_AUTODESK_AUTOCAD LT_R9_ACLT-1", names.Semaphore);
}

// The AutoCAD side of one delivery: serves the pipe once and returns the bytes it read.
class PipeServer {
 public:
  explicit PipeServer(const std::string& name)
      : pipe_(::CreateNamedPipeA(name.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096,
                                 0, nullptr)) {}
  bool ok() const { return static_cast<bool>(pipe_); }
  std::string ReadAll() {
    ::ConnectNamedPipe(pipe_.get(), nullptr);
    std::string data;
    char buffer[256];
    DWORD read = 0;
    while (::ReadFile(pipe_.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) data.append(buffer, read);
    return data;
  }

 private:
  fw::FileHandle pipe_;
};

std::string UniqueName(const char* what) {
  return std::string(what) + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(::GetTickCount());
}

TEST(HandOff, MessageIsWrittenWithItsTerminatingZero) {
  std::string pipe = "\\\\.\\pipe\\" + UniqueName("twtest_write_");
  PipeServer server(pipe);
  ASSERT_TRUE(server.ok());
  std::string received;
  std::thread reader([&] { received = server.ReadAll(); });
  EXPECT_EQ(HandOffDelivered, WriteHandOffMessage(pipe, "(command \"LINE\")", 5000));
  reader.join();
  EXPECT_EQ(std::string("(command \"LINE\")\0", 17), received);
}

TEST(HandOff, MissingPipeGivesExitCodeThree) {
  EXPECT_EQ(HandOffNoPipe, WriteHandOffMessage("\\\\.\\pipe\\" + UniqueName("twtest_none_"), "m", 50));
}

TEST(HandOff, NewInstanceCreatesTheSemaphoreAndItsThreadDeliversAfterRelease) {
  HandOffNames names{"\\\\.\\pipe\\" + UniqueName("twtest_thread_"), ""};
  names.Semaphore = names.Pipe.substr(9);
  HandOff handOff(names, "TARNWIK_ACSSE_OPEN_c:\\a b.dwg");
  int exitCode = -1;
  ASSERT_FALSE(handOff.DeliverToRunningInstance(&exitCode));
  EXPECT_EQ(0, exitCode);

  // The semaphore exists with count 0: nobody may deliver before the AutoCAD side is ready.
  fw::Handle semaphore(::OpenSemaphoreA(SEMAPHORE_ALL_ACCESS, FALSE, names.Semaphore.c_str()));
  ASSERT_TRUE(semaphore);
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(semaphore.get(), 0));

  PipeServer server(names.Pipe);
  ASSERT_TRUE(server.ok());
  std::string received;
  std::thread reader([&] { received = server.ReadAll(); });
  LONG previous = -1;
  ASSERT_TRUE(::ReleaseSemaphore(semaphore.get(), 1, &previous));
  EXPECT_EQ(0, previous);
  reader.join();
  handOff.JoinThread();
  EXPECT_EQ(std::string("TARNWIK_ACSSE_OPEN_c:\\a b.dwg\0", 30), received);
  // The thread took the semaphore and did not give it back.
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(semaphore.get(), 0));
}

TEST(HandOff, RunningInstanceGetsTheMessageThroughThePipe) {
  HandOffNames names{"\\\\.\\pipe\\" + UniqueName("twtest_running_"), ""};
  names.Semaphore = names.Pipe.substr(9);
  fw::Handle semaphore(::CreateSemaphoreA(nullptr, 1, 1, names.Semaphore.c_str()));  // ready
  PipeServer server(names.Pipe);
  std::string received;
  std::thread reader([&] { received = server.ReadAll(); });
  HandOff handOff(names, "msg");
  int exitCode = -1;
  EXPECT_TRUE(handOff.DeliverToRunningInstance(&exitCode));
  reader.join();
  EXPECT_EQ(0, exitCode);
  EXPECT_EQ(std::string("msg\0", 4), received);
  // Delivered: the semaphore stays taken until the AutoCAD side has handled the message.
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(semaphore.get(), 0));
}

TEST(HandOff, RunningInstanceWithoutPipeReleasesTheSemaphore) {
  HandOffNames names{"\\\\.\\pipe\\" + UniqueName("twtest_nopipe_"), ""};
  names.Semaphore = names.Pipe.substr(9);
  fw::Handle semaphore(::CreateSemaphoreA(nullptr, 1, 1, names.Semaphore.c_str()));
  HandOff::Timeouts quick;
  quick.FirstPause = 0;
  quick.PipeWait = 50;
  HandOff handOff(names, "msg", quick);
  int exitCode = -1;
  EXPECT_TRUE(handOff.DeliverToRunningInstance(&exitCode));
  EXPECT_EQ(3, exitCode);
  EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), ::WaitForSingleObject(semaphore.get(), 0));
}

TEST(HandOff, BusyInstanceTimesOutWithExitCodeZero) {
  HandOffNames names{"\\\\.\\pipe\\" + UniqueName("twtest_busy_"), ""};
  names.Semaphore = names.Pipe.substr(9);
  fw::Handle semaphore(::CreateSemaphoreA(nullptr, 0, 1, names.Semaphore.c_str()));  // never released
  HandOff::Timeouts quick;
  quick.FirstPause = 0;
  quick.SemaphoreWait = 50;
  HandOff handOff(names, "msg", quick);
  int exitCode = -1;
  EXPECT_TRUE(handOff.DeliverToRunningInstance(&exitCode));
  EXPECT_EQ(0, exitCode);
  LONG previous = -1;
  ASSERT_TRUE(::ReleaseSemaphore(semaphore.get(), 1, &previous));
  EXPECT_EQ(0, previous);  // not released by the timed-out delivery
}

}  // namespace
