// The shared test support: a file held the way a rename leaves it reads whole, a box nobody
// expected ends in a report instead of a hang, whether it is watched for or not, the stand-in system
// directory answers as the platform does, and a guarded value is put back as it was.
#include <windows.h>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "registry.h"
#include "responder.h"
#include "seams.h"
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

// The stand-in gives what GetSystemDirectoryA gives for the same folder, whatever the buffer's size.
TEST(SupportSeams, FakeSystemDirectoryAnswersAsThePlatformDoes) {
  char real[MAX_PATH] = {0};
  const UINT length = GetSystemDirectoryA(real, MAX_PATH);
  ASSERT_GT(length, 0u);
  krevtest::FakeSystemDir = {real};
  for (UINT size : {0u, 1u, length - 1, length, length + 1, UINT(MAX_PATH)}) {
    SCOPED_TRACE(size);
    char fromPlatform[MAX_PATH + 1], fromFake[MAX_PATH + 1];
    std::memset(fromPlatform, 'x', sizeof fromPlatform);
    std::memset(fromFake, 'x', sizeof fromFake);
    EXPECT_EQ(krevtest::FakeSystemDirectory(fromFake, size), GetSystemDirectoryA(fromPlatform, size));
    if (size > length) {
      EXPECT_STREQ(fromFake, fromPlatform);
    }
  }
  krevtest::FakeSystemDir.fails = true;
  char buffer[MAX_PATH] = "untouched";
  EXPECT_EQ(krevtest::FakeSystemDirectory(buffer, MAX_PATH), 0u);
  EXPECT_STREQ(buffer, "untouched");
}

// A value that was there comes back with its type and bytes; one that was not goes again, and so
// does a key that was not there.
TEST(SupportRegistry, ValueGuardPutsBackWhatWasThere) {
  const std::string key = "Software\\krevtest-support";
  RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());  // left over from a run that failed
  krevtest::RawValue kept;
  {
    krevtest::ValueGuard absentKey(HKEY_CURRENT_USER, key, "new");
    krevtest::WriteRaw(HKEY_CURRENT_USER, key, "kept", REG_BINARY, std::string("\0\x01\xff", 3));
    kept = krevtest::ReadRaw(HKEY_CURRENT_USER, key, "kept");
    {
      krevtest::ValueGuard present(HKEY_CURRENT_USER, key, "kept");
      krevtest::ValueGuard absent(HKEY_CURRENT_USER, key, "new");
      krevtest::WriteRaw(HKEY_CURRENT_USER, key, "kept", REG_SZ, std::string("changed", 8));
      krevtest::WriteRaw(HKEY_CURRENT_USER, key, "new", REG_DWORD, krevtest::Dword(5));
      EXPECT_EQ(krevtest::ReadRaw(HKEY_CURRENT_USER, key, "new").dword(), 5u);
    }
    krevtest::RawValue back = krevtest::ReadRaw(HKEY_CURRENT_USER, key, "kept");
    EXPECT_TRUE(back.found);
    EXPECT_EQ(back.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(back.data, std::string("\0\x01\xff", 3));
    EXPECT_FALSE(krevtest::ReadRaw(HKEY_CURRENT_USER, key, "new").found);
    krevtest::DeleteValue(HKEY_CURRENT_USER, key, "kept");
  }
  EXPECT_TRUE(kept.found);
  EXPECT_FALSE(krevtest::KeyExists(HKEY_CURRENT_USER, key));
}

}  // namespace
