// The AutoCAD side of the hand-off: the stand-in serves the pipe named in the profile, releases
// the semaphore when ready and after every delivery, and records each message.
#include <gtest/gtest.h>

#include "tests/tools/standin_harness.h"

using standin::Sz;

namespace {

class StandInPipeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch_ = "Software\\TarnwickTests\\tools-pipe-" + std::to_string(GetCurrentProcessId());
    key_ = scratch_ + "\\Autodesk\\AutoCAD\\R17.1\\ACAD-6001:409";
    semaphoreName_ =
        "TWTOOLS" + std::to_string(GetCurrentProcessId()) + "@SOFTWARE_AUTODESK_AUTOCAD_R17.1_ACAD-6001:409";
    pipeName_ = "\\\\.\\pipe\\" + semaphoreName_;
    record_ = folder_.path() + "record.txt";
    ASSERT_TRUE(standin::WriteValue(HKEY_CURRENT_USER, key_ + "\\Profiles", "", Sz("Drafting")));
  }
  void TearDown() override { standin::DeleteTree(HKEY_CURRENT_USER, scratch_); }

  void SetPipeName(const std::string& name) {
    ASSERT_TRUE(standin::WriteValue(HKEY_CURRENT_USER, key_ + "\\Profiles\\Drafting\\Tarnwick", "PipeName",
                                    Sz(name)));
  }
  // As the first run-mode call does: count 0, maximum 1.
  fw::Handle MakeSemaphore() { return fw::Handle(CreateSemaphoreA(nullptr, 0, 1, semaphoreName_.c_str())); }

  standin::EnvVars Env(standin::EnvVars more = {}) const {
    more.insert(more.begin(), {{"TW_ACAD_KEY", key_}, {"TW_ACAD_RECORD", record_}});
    return more;
  }

  // Connects as the run mode does and writes the bytes; false when the pipe could not be used.
  bool Deliver(const std::string& bytes) {
    if (!WaitNamedPipeA(pipeName_.c_str(), 10000)) return false;
    fw::FileHandle pipe(CreateFileA(pipeName_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!pipe) return false;
    size_t sent = 0;
    while (sent < bytes.size()) {
      DWORD written = 0;
      if (!WriteFile(pipe.get(), bytes.data() + sent, static_cast<DWORD>(bytes.size() - sent), &written,
                     nullptr))
        return false;
      sent += written;
    }
    FlushFileBuffers(pipe.get());
    return true;
  }

  // The record after the header (6 lines, no Menus here).
  std::vector<std::string> Tail(const std::vector<std::string>& lines) const {
    return lines.size() <= 6 ? std::vector<std::string>()
                             : std::vector<std::string>(lines.begin() + 6, lines.end());
  }

  standin::ScratchFolder folder_{"tw-tools-pipe"};
  std::string scratch_, key_, semaphoreName_, pipeName_, record_;
};

TEST_F(StandInPipeTest, SignalsReadinessRecordsEachMessageAndReleasesAfterEach) {
  SetPipeName(pipeName_);
  fw::Handle semaphore = MakeSemaphore();
  ASSERT_TRUE(static_cast<bool>(semaphore));
  standin::StandInProcess acad(standin::BinFolder() + "acad.exe", "", Env({{"TW_ACAD_MESSAGES", "2"}}));
  ASSERT_TRUE(acad.started());

  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(semaphore.get(), 20000)) << "no readiness signal";
  ASSERT_TRUE(Deliver(std::string("first message", 14)));
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(semaphore.get(), 20000)) << "first delivery not released";
  const std::string second = "TARNWIK_ACSSE_OPEN_C:\\Drawings\\plan 1.dwg";
  ASSERT_TRUE(Deliver(second + std::string(1, '\0')));

  DWORD exitCode = 0xDEAD;
  ASSERT_TRUE(acad.WaitExit(20000, exitCode));
  EXPECT_EQ(0u, exitCode);
  // Released once more after the last delivery, and not beyond the maximum.
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(semaphore.get(), 0));
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(semaphore.get(), 0));
  std::vector<std::string> lines = standin::ReadRecord(record_);
  ASSERT_EQ(9u, lines.size()) << standin::Joined(lines);
  EXPECT_EQ("PipeName=" + pipeName_, lines[5]);
  EXPECT_EQ(std::vector<std::string>({"message=first message", "message=" + second, "exit=0"}), Tail(lines));
}

// Deliveries that break the protocol are recorded as they came, never lost or merged.
TEST_F(StandInPipeTest, MalformedDeliveries) {
  struct Row {
    const char* messages;  // TW_ACAD_MESSAGES
    std::vector<std::string> deliveries;
    std::vector<std::string> tail;
  };
  const std::string huge(70000, 'x');
  const Row rows[] = {
      {"1", {"no terminator"}, {"message=no terminator", "error=message without terminating zero", "exit=0"}},
      {"2", {std::string("a\0b\0", 4)}, {"message=a", "message=b", "exit=0"}},
      {"3",
       {std::string("\0", 1), std::string("one\0two", 7)},
       {"message=", "message=one", "message=two", "error=message without terminating zero", "exit=0"}},
      {"1", {std::string("\x01line\r\nbreak\0", 13)}, {"message=\\x01line\\x0D\\x0Abreak", "exit=0"}},
      {"1",
       {huge + std::string(1, '\0')},
       {"message=" + std::string(65536, 'x'), "error=message longer than 65536 bytes, cut", "exit=0"}},
      {"1",
       {std::string("first\0", 6) + "second"},
       {"message=first", "message=second", "error=message without terminating zero", "exit=0"}},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const Row& row = rows[i];
    SetPipeName(pipeName_);
    fw::Handle semaphore = MakeSemaphore();
    ASSERT_TRUE(static_cast<bool>(semaphore)) << "row " << i;
    standin::StandInProcess acad(standin::BinFolder() + "acad.exe", "",
                                 Env({{"TW_ACAD_MESSAGES", row.messages}}));
    ASSERT_TRUE(acad.started()) << "row " << i;
    for (const std::string& delivery : row.deliveries) {
      ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(semaphore.get(), 20000)) << "row " << i;
      ASSERT_TRUE(Deliver(delivery)) << "row " << i;
    }
    DWORD exitCode = 0xDEAD;
    ASSERT_TRUE(acad.WaitExit(20000, exitCode)) << "row " << i;
    std::vector<std::string> lines = standin::ReadRecord(record_);
    EXPECT_EQ(row.tail, Tail(lines)) << "row " << i << ":\n" << standin::Joined(lines);
  }
}

// Whatever is missing, the stand-in says so in its record and ends within its time-out.
TEST_F(StandInPipeTest, ServingProblemsEndInErrorLines) {
  struct Row {
    const char* pipeValue;  // PipeName in the profile; null: none
    bool semaphore;
    standin::EnvVars env;
    std::vector<std::string> tail;
  };
  const std::string timeoutLine = "error=pipe timed out after 0 message(s)";
  const Row rows[] = {
      {nullptr, true, {{"TW_ACAD_SERVE_PIPE", "1"}}, {"error=no pipe name to serve", "exit=0"}},
      {"", true, {{"TW_ACAD_SERVE_PIPE", "1"}}, {"error=no pipe name to serve", "exit=0"}},
      {"TWTOOLS-no-prefix",
       true,
       {},
       {"error=pipe name 'TWTOOLS-no-prefix' is not \\\\.\\pipe\\<name>", "exit=0"}},
      {"\\\\.\\pipe\\", true, {}, {"error=pipe name '\\\\.\\pipe\\' is not \\\\.\\pipe\\<name>", "exit=0"}},
      {"pipe", true, {{"TW_ACAD_PIPE_TIMEOUT_MS", "200"}}, {timeoutLine, "exit=0"}},
      {"pipe",
       false,
       {{"TW_ACAD_PIPE_TIMEOUT_MS", "200"}},
       {"error=no semaphore " + std::string(), timeoutLine, "exit=0"}},
      {"pipe", true, {{"TW_ACAD_MESSAGES", "0"}}, {"exit=0"}},
      {"pipe", true, {{"TW_ACAD_PIPE_TIMEOUT_MS", "0"}}, {timeoutLine, "exit=0"}},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    Row row = rows[i];
    standin::DeleteTree(HKEY_CURRENT_USER, key_ + "\\Profiles\\Drafting");
    if (row.pipeValue) SetPipeName(std::string(row.pipeValue) == "pipe" ? pipeName_ : row.pipeValue);
    if (row.tail.front() == "error=no semaphore ") row.tail.front() += semaphoreName_;
    fw::Handle semaphore;
    if (row.semaphore) semaphore = MakeSemaphore();
    DWORD exitCode = 0xDEAD;
    ASSERT_TRUE(standin::RunToEnd(standin::BinFolder() + "acad.exe", "", Env(row.env), exitCode))
        << "row " << i;
    std::vector<std::string> lines = standin::ReadRecord(record_);
    EXPECT_EQ(row.tail, Tail(lines)) << "row " << i << ":\n" << standin::Joined(lines);
    if (row.pipeValue && std::string(row.pipeValue) == "pipe" && row.semaphore) {
      EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(semaphore.get(), 0))
          << "row " << i << ": readiness not signalled";
    }
  }
}

// A client that never closes its end cannot hold the stand-in beyond its time-out.
TEST_F(StandInPipeTest, ClientThatStaysConnected) {
  SetPipeName(pipeName_);
  fw::Handle semaphore = MakeSemaphore();
  standin::StandInProcess acad(standin::BinFolder() + "acad.exe", "",
                               Env({{"TW_ACAD_MESSAGES", "2"}, {"TW_ACAD_PIPE_TIMEOUT_MS", "1000"}}));
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(semaphore.get(), 20000));
  ASSERT_TRUE(WaitNamedPipeA(pipeName_.c_str(), 10000));
  fw::FileHandle pipe(CreateFileA(pipeName_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(static_cast<bool>(pipe));
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(pipe.get(), "kept\0open", 9, &written, nullptr));
  DWORD exitCode = 0xDEAD;
  ASSERT_TRUE(acad.WaitExit(20000, exitCode));
  std::vector<std::string> lines = standin::ReadRecord(record_);
  EXPECT_EQ(std::vector<std::string>({"message=kept", "error=pipe timed out while reading", "message=open",
                                      "error=message without terminating zero", "exit=0"}),
            Tail(lines))
      << standin::Joined(lines);
}

// A pipe name in use by another server is reported, not shared.
TEST_F(StandInPipeTest, PipeAlreadyServedElsewhere) {
  SetPipeName(pipeName_);
  fw::Handle semaphore = MakeSemaphore();
  fw::Handle otherServer(
      CreateNamedPipeA(pipeName_.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr));
  ASSERT_TRUE(static_cast<bool>(otherServer));
  DWORD exitCode = 0xDEAD;
  ASSERT_TRUE(standin::RunToEnd(standin::BinFolder() + "acad.exe", "", Env(), exitCode));
  std::vector<std::string> lines = standin::ReadRecord(record_);
  std::vector<std::string> tail = Tail(lines);
  ASSERT_EQ(2u, tail.size()) << standin::Joined(lines);
  EXPECT_EQ(0u, tail[0].find("error=cannot create pipe, error ")) << tail[0];
  EXPECT_EQ("exit=0", tail[1]);
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(semaphore.get(), 0))
      << "signalled without a pipe";
}

}  // namespace
