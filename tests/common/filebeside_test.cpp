// The one way the programs replace a file (the settings centre's editors, LexVault's codec, the
// krevset.dll stand-in): what it refuses before anything is written, that the target changes only on
// a commit that succeeds, and that nothing is ever left beside it.
#include "filebeside.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "folders.h"
#include "testenv.h"

using krev::NewFileBeside;
using krevtest::FileExists;
using krevtest::FolderNames;
using krevtest::ReadFileBytes;
using krevtest::ScratchDir;
using krevtest::WriteFileBytes;

namespace {

const std::string kOld = "the file as it was";

// Another program's handle on a file, closed when the object goes.
class Holder {
 public:
  Holder(const std::string& path, DWORD share)
      : h_(CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~Holder() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  Holder(const Holder&) = delete;
  Holder& operator=(const Holder&) = delete;
  bool held() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

TEST(NewFileBeside, RefusesATargetThatCannotBeReplacedBeforeWritingAnything) {
  ScratchDir dir("beside");
  const std::string file = dir / "词库.dat";
  const std::string sub = dir / "sub";
  ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
  struct Case {
    const char* what;
    std::string target;
    std::function<bool()> prepare;  // false: the case could not be set up
    bool opens;
  } cases[] = {
      {"a file", file, [] { return true; }, true},
      {"no file yet", dir / "新.dat", [] { return true; }, true},
      {"read-only", file, [&] { return SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY) != 0; }, false},
      {"a directory", sub, [] { return true; }, false},
      {"a folder that does not exist", dir / "missing\\x.dat", [] { return true; }, false},
      {"the null device", "NUL", [] { return true; }, false},
      {"an empty path", "", [] { return true; }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(WriteFileBytes(file, kOld));
    ASSERT_TRUE(c.prepare());
    const std::vector<std::string> before = FolderNames(dir.path());
    {
      NewFileBeside replacement;
      EXPECT_EQ(c.opens, replacement.Open(c.target));
      EXPECT_EQ(c.opens, replacement.IsOpen());
      if (c.opens) {
        EXPECT_EQ(dir.path(), replacement.NewPath().substr(0, dir.path().size()));
        EXPECT_TRUE(FileExists(replacement.NewPath()));
      }
    }
    EXPECT_EQ(before, FolderNames(dir.path())) << "left beside the target";
    EXPECT_EQ(kOld, ReadFileBytes(file));
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  EXPECT_TRUE(FolderNames(sub).empty());
}

TEST(NewFileBeside, RefusesAFileHeldWithoutSharingForWriting) {
  ScratchDir dir("beside");
  const std::string file = dir / "held.ini";
  ASSERT_TRUE(WriteFileBytes(file, kOld));
  const struct {
    DWORD share;
    bool opens;
  } cases[] = {
      {FILE_SHARE_READ, false},
      {FILE_SHARE_READ | FILE_SHARE_DELETE, false},
      {FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.share);
    Holder holder(file, c.share);
    ASSERT_TRUE(holder.held());
    NewFileBeside replacement;
    EXPECT_EQ(c.opens, replacement.Open(file));
    replacement.Abandon();
    EXPECT_EQ(std::vector<std::string>{"held.ini"}, FolderNames(dir.path()));
  }
  EXPECT_EQ(kOld, ReadFileBytes(file));
}

// Paths of 258 and 259 characters are replaced; one of 260, the system's path limit, is refused.
TEST(NewFileBeside, PathsUpToTheLimit) {
  krevtest::LongFolder folder(240);
  ASSERT_TRUE(folder.made());
  for (size_t length : {MAX_PATH - 2, MAX_PATH - 1, MAX_PATH}) {
    SCOPED_TRACE(length);
    const std::string name = std::string(length - folder.path().size() - 1 - 4, 'n') + ".dat";
    const std::string target = folder.path() + "\\" + name;
    ASSERT_EQ(length, target.size());
    const bool fits = length < MAX_PATH;
    for (int round = 0; round < 2; ++round) {  // the first creates the file, the second replaces it
      NewFileBeside replacement;
      ASSERT_EQ(fits, replacement.Open(target));
      if (!fits) break;
      EXPECT_EQ(target.size(), replacement.NewPath().size());
      const std::string content = "round " + std::to_string(round);
      ASSERT_TRUE(replacement.Write(content.data(), static_cast<DWORD>(content.size())));
      EXPECT_EQ(NewFileBeside::Result::Replaced, replacement.Commit());
      EXPECT_EQ(content, ReadFileBytes(target));
    }
    EXPECT_EQ(fits ? std::vector<std::string>{name} : std::vector<std::string>{}, FolderNames(folder.path()));
    DeleteFileA(target.c_str());
  }
}

int g_calls = 0;

// Writes one byte a call.
BOOL WINAPI ByteByByte(HANDLE h, LPCVOID data, DWORD, LPDWORD written, LPOVERLAPPED ov) {
  ++g_calls;
  return WriteFile(h, data, 1, written, ov);
}
// Fails as a full disk does.
BOOL WINAPI DiskFull(HANDLE, LPCVOID, DWORD, LPDWORD written, LPOVERLAPPED) {
  *written = 0;
  SetLastError(ERROR_DISK_FULL);
  return FALSE;
}
// Says it succeeded but writes nothing.
BOOL WINAPI WritesNothing(HANDLE, LPCVOID, DWORD, LPDWORD written, LPOVERLAPPED) {
  *written = 0;
  return TRUE;
}

class ReplaceTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(WriteFileBytes(target, kOld)); }
  // The target as it was, and nothing beside it.
  void ExpectUntouched() {
    EXPECT_EQ(kOld, ReadFileBytes(target));
    EXPECT_EQ(std::vector<std::string>{"punctdef.ini"}, FolderNames(dir.path()));
  }
  ScratchDir dir{"beside"};
  std::string target = dir / "punctdef.ini";
};

TEST_F(ReplaceTest, TheTargetChangesOnlyWhenTheCommitSucceeds) {
  for (const std::string& content : {std::string("新的内容\r\n"), std::string()}) {
    SCOPED_TRACE(content.size());
    NewFileBeside replacement;
    ASSERT_TRUE(replacement.Open(target));
    ASSERT_TRUE(replacement.Write(content.data(), static_cast<DWORD>(content.size())));
    EXPECT_EQ(kOld, ReadFileBytes(target)) << "replaced before the commit";
    EXPECT_EQ(NewFileBeside::Result::Replaced, replacement.Commit());
    EXPECT_FALSE(replacement.IsOpen());
    EXPECT_EQ(content, ReadFileBytes(target));
    EXPECT_EQ(std::vector<std::string>{"punctdef.ini"}, FolderNames(dir.path()));
    ASSERT_TRUE(WriteFileBytes(target, kOld));
  }
}

TEST_F(ReplaceTest, WhatIsNotCommittedIsDeleted) {
  {
    NewFileBeside replacement;
    ASSERT_TRUE(replacement.Open(target));
    ASSERT_TRUE(replacement.Write("half", 4));
  }
  ExpectUntouched();

  NewFileBeside abandoned;
  ASSERT_TRUE(abandoned.Open(target));
  abandoned.Abandon();
  EXPECT_FALSE(abandoned.IsOpen());
  ExpectUntouched();
  // Opening again gives up the file still held.
  ASSERT_TRUE(abandoned.Open(target));
  const std::string first = abandoned.NewPath();
  ASSERT_TRUE(abandoned.Open(target));
  EXPECT_EQ(first, abandoned.NewPath()) << "the first name was not freed";
  abandoned.Abandon();
  ExpectUntouched();
}

TEST_F(ReplaceTest, MovedToAnotherObjectTheFileGoesWithIt) {
  NewFileBeside second;
  {
    NewFileBeside first;
    ASSERT_TRUE(first.Open(target));
    ASSERT_TRUE(first.Write("moved", 5));
    second = std::move(first);
    EXPECT_FALSE(first.IsOpen());
  }
  ASSERT_TRUE(second.IsOpen());
  EXPECT_EQ(NewFileBeside::Result::Replaced, second.Commit());
  EXPECT_EQ("moved", ReadFileBytes(target));
}

TEST_F(ReplaceTest, WritesGoOnAfterAShortOneAndFailWhenNothingIsWritten) {
  {
    g_calls = 0;
    NewFileBeside replacement;
    ASSERT_TRUE(replacement.Open(target));
    EXPECT_TRUE(replacement.Write("abcd", 4, ByteByByte));
    EXPECT_EQ(4, g_calls);
    EXPECT_EQ(NewFileBeside::Result::Replaced, replacement.Commit());
    EXPECT_EQ("abcd", ReadFileBytes(target));
    ASSERT_TRUE(WriteFileBytes(target, kOld));
  }
  for (NewFileBeside::WriteCall failing : {DiskFull, WritesNothing}) {
    NewFileBeside replacement;
    ASSERT_TRUE(replacement.Open(target));
    EXPECT_FALSE(replacement.Write("abcd", 4, failing));
  }
  ExpectUntouched();
  NewFileBeside closed;
  EXPECT_FALSE(closed.Write("abcd", 4)) << "written with no file open";
}

TEST_F(ReplaceTest, AFailedCloseOrMoveLeavesTheTarget) {
  {
    NewFileBeside replacement;
    ASSERT_TRUE(replacement.Open(target));
    ASSERT_TRUE(replacement.Write("new", 3));
    // A folder put in the target's place after the new file was opened: nothing moves over it.
    ASSERT_TRUE(DeleteFileA(target.c_str()));
    ASSERT_TRUE(CreateDirectoryA(target.c_str(), nullptr));
    EXPECT_EQ(NewFileBeside::Result::NotMoved, replacement.Commit());
    EXPECT_EQ(std::vector<std::string>{"punctdef.ini"}, FolderNames(dir.path())) << "the new file left";
    EXPECT_TRUE(FolderNames(target).empty());
    ASSERT_TRUE(RemoveDirectoryA(target.c_str()));
    ASSERT_TRUE(WriteFileBytes(target, kOld));
  }
  {
    NewFileBeside replacement;
    ASSERT_TRUE(replacement.Open(target));
    // The handle closed behind the object's back: its own close fails.
    ASSERT_TRUE(CloseHandle(replacement.Handle()));
    EXPECT_EQ(NewFileBeside::Result::NotClosed, replacement.Commit());
  }
  ExpectUntouched();
  NewFileBeside never;
  EXPECT_EQ(NewFileBeside::Result::NotClosed, never.Commit());
  ExpectUntouched();
}

// The codec refuses a source that is its own target; for that it needs the target's identity
// from the moment it opens the new file.
TEST_F(ReplaceTest, GivesTheIdentityOfTheTarget) {
  krev::FileId id;
  NewFileBeside replacement;
  ASSERT_TRUE(replacement.Open(target, &id));
  std::string upper = target;
  CharUpperA(&upper[0]);
  HANDLE h = CreateFileA(upper.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  EXPECT_TRUE(krev::SameFile(id, krev::IdOfHandle(h, upper)));
  CloseHandle(h);
  EXPECT_FALSE(krev::SameFile(id, krev::IdOfHandle(replacement.Handle(), replacement.NewPath())));

  // No file there yet: its full path alone, which names the file once it is there.
  const std::string later = dir / "later.dat";
  krev::FileId none;
  none.indexed = true;
  NewFileBeside creation;
  ASSERT_TRUE(creation.Open(later, &none));
  EXPECT_FALSE(none.indexed);
  EXPECT_EQ(later, none.fullPath);
  ASSERT_TRUE(creation.Write("x", 1));
  ASSERT_EQ(NewFileBeside::Result::Replaced, creation.Commit());
  h = CreateFileA(later.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  EXPECT_TRUE(krev::SameFile(none, krev::IdOfHandle(h, later)));
  CloseHandle(h);
}

}  // namespace
