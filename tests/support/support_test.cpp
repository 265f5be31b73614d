// The shared test support: a file held the way a rename leaves it reads whole, and a box nobody
// expected ends in a report instead of a hang, whether it is watched for or not.
#include <windows.h>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>

#include "responder.h"
#include "testenv.h"
#include "wait.h"

namespace {

// Another process that has just renamed a file into place still holds it for a moment with a
// handle that has delete access.
TEST(SupportFiles, FileHeldWithDeleteAccessReadsWhole) {
  krevtest::ScratchDir dir("support");
  const std::string path = dir / "program.exe.rec";
  const std::string record = "C:\\program.exe\r\nprogram.exe /r\r\n/r\r\n";
  ASSERT_TRUE(krevtest::WriteFileBytes(path, record));
  HANDLE held = CreateFileA(path.c_str(), DELETE | SYNCHRONIZE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(krevtest::ReadFileBytes(path), record);
  std::string bytes;
  EXPECT_TRUE(krevtest::WaitForFile(path, &bytes, [](const std::string& b) { return b.size() > 2; }));
  EXPECT_EQ(bytes, record);
  CloseHandle(held);
}

TEST(SupportWindows, NoWindowAnswersAndReportsABoxThatMustNotCome) {
  krevtest::NoWindow none("#32770", "not expected");
  int answer = MessageBoxA(nullptr, "a box that must not come", "not expected", MB_YESNO);
  EXPECT_EQ(answer, IDNO);  // answered as a person who wants nothing of it would
  std::string seen = none.Finish();
  EXPECT_NE(seen.find("a box that must not come"), std::string::npos) << seen;
}

// No responder at all: the watchdog fails the test after its limit and dismisses the box.
TEST(SupportWindows, WatchdogFailsATestWhoseBoxNobodyAnswers) {
  int answer = 0;
  EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(
      answer = MessageBoxA(nullptr, "nobody answers this box", "unanswered", MB_OKCANCEL), "nobody answers this box");
  EXPECT_EQ(answer, IDCANCEL);
}

}  // namespace
