// Hand-off through real named pipes and semaphores, the test playing the AutoCAD side.
#include "app/handoff.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

TEST(HandOffNames, InstanceOrProfileAndKeyUpperCased) {
  const HandOffNames named =
      MakeHandOffNames("abc", "ignored", "Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409");
  EXPECT_EQ("ABC@SOFTWARE_AUTODESK_AUTOCAD_R16.0_ACAD-201:409", named.Semaphore);
  EXPECT_EQ("\\\\.\\pipe\\ABC@SOFTWARE_AUTODESK_AUTOCAD_R16.0_ACAD-201:409", named.Pipe);
  const HandOffNames byProfile =
      MakeHandOffNames("", "Drafting", "Software\\Autodesk\\AutoCAD LT\\R9\\ACLT-1");
  EXPECT_EQ("DRAFTING@SOFTWARE_AUTODESK_AUTOCAD LT_R9_ACLT-1", byProfile.Semaphore);
}

// The AutoCAD side of one delivery: the pipe, served once by ReadDelivery.
fw::FileHandle MakePipe(const std::string& name) {
  return fw::FileHandle(::CreateNamedPipeA(name.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1,
                                           4096, 4096, 0, nullptr));
}
std::string ReadDelivery(HANDLE pipe) {
  ::ConnectNamedPipe(pipe, nullptr);
  std::string data;
  char buffer[256];
  DWORD read = 0;
  while (::ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0) data.append(buffer, read);
  return data;
}

HandOffNames UniqueNames() {
  static int serial = 0;
  HandOffNames names;
  names.Semaphore = "twtest_handoff_" + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++serial);
  names.Pipe = "\\\\.\\pipe\\" + names.Semaphore;
  return names;
}

TEST(HandOff, NewInstanceCreatesTheSemaphoreAndItsThreadDeliversAfterRelease) {
  const HandOffNames names = UniqueNames();
  HandOff handOff(names, "TARNWIK_ACSSE_OPEN_c:\\a b.dwg");
  int exitCode = -1;
  ASSERT_FALSE(handOff.DeliverToRunningInstance(&exitCode));
  EXPECT_EQ(0, exitCode);

  // The semaphore exists with count 0: nobody may deliver before the AutoCAD side is ready.
  fw::Handle semaphore(::OpenSemaphoreA(SEMAPHORE_ALL_ACCESS, FALSE, names.Semaphore.c_str()));
  ASSERT_TRUE(semaphore);
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(semaphore.get(), 0));

  fw::FileHandle pipe = MakePipe(names.Pipe);
  ASSERT_TRUE(pipe);
  std::string received;
  std::thread reader([&] { received = ReadDelivery(pipe.get()); });
  ASSERT_TRUE(::ReleaseSemaphore(semaphore.get(), 1, nullptr));
  reader.join();
  handOff.JoinThread();
  EXPECT_EQ(std::string("TARNWIK_ACSSE_OPEN_c:\\a b.dwg\0", 30), received);
  // The thread took the semaphore and did not give it back.
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(semaphore.get(), 0));
}

TEST(HandOff, ToARunningInstance) {
  const struct {
    LONG ready;   // the semaphore's count: 1 when the AutoCAD side is ready
    bool served;  // whether it serves the pipe
    int exitCode;
    bool released;  // whether the semaphore is free afterwards
  } rows[] = {
      {1, true, HandOffDelivered, false},   // taken until the AutoCAD side has handled the message
      {1, false, HandOffNoPipe, true},      // given back when there is no pipe
      {0, false, HandOffDelivered, false},  // a busy instance: the wait times out
  };
  HandOff::Timeouts quick;
  quick.FirstPause = 0;
  quick.PipeWait = quick.SemaphoreWait = 50;
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const HandOffNames names = UniqueNames();
    fw::Handle semaphore(::CreateSemaphoreA(nullptr, rows[i].ready, 1, names.Semaphore.c_str()));
    fw::FileHandle pipe = rows[i].served ? MakePipe(names.Pipe) : fw::FileHandle();
    std::string received;
    std::thread reader([&] {
      if (pipe) received = ReadDelivery(pipe.get());
    });
    HandOff handOff(names, "msg", quick);
    int exitCode = -1;
    EXPECT_TRUE(handOff.DeliverToRunningInstance(&exitCode)) << "row " << i;
    reader.join();
    EXPECT_EQ(rows[i].exitCode, exitCode) << "row " << i;
    EXPECT_EQ(rows[i].served ? std::string("msg\0", 4) : "", received) << "row " << i;
    EXPECT_EQ(rows[i].released ? WAIT_OBJECT_0 : static_cast<DWORD>(WAIT_TIMEOUT),
              ::WaitForSingleObject(semaphore.get(), 0))
        << "row " << i;
  }
}

}  // namespace
