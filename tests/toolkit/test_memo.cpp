// The memo's text file operations: every line break becomes CR LF on loading, the text is written
// back exactly through a new file that replaces the old one only once it is complete, the modified
// flag is left alone, and failures raise the texts the error box shows.
#include <gtest/gtest.h>

#include <string>

#include "Toolkit.h"
#include "ToolkitCalls.h"
#include "seams.h"
#include "testenv.h"

using krevtest::ReadFileBytes;
using krevtest::ScratchDir;
using krevtest::WriteFileBytes;

namespace {

class MemoForm : public TForm {
 public:
  MemoForm() : TForm("TMemoForm") {
    SetClientSize(300, 200);
    BuildLayout<MemoForm>(this, {
        {&mmo, "mmo", "", 0, 0, 300, 200, ""},
    });
  }
  TMemo mmo;
};

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EToolkitError& e) {
    return e.what();
  }
  return "(no error)";
}

}  // namespace

TEST(ToolkitMemo, LoadMakesEveryLineBreakCrLf) {
  struct Row {
    const char* file;
    const char* text;
  };
  const Row rows[] = {
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\nb", "a\r\nb"},
      {"a\rb\r", "a\r\nb\r\n"},
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\n\r\nb\r\r\n", "a\r\n\r\nb\r\n\r\n"},
      {"词库\n定义", "词库\r\n定义"},
      {"", ""},
  };
  ScratchDir dir("memo");
  for (const Row& r : rows) {
    SCOPED_TRACE(r.file);
    MemoForm f;
    f.mmo.SetText("old");
    ASSERT_TRUE(WriteFileBytes(dir / "in.ini", r.file));
    f.mmo.LoadFromFile(dir / "in.ini");
    EXPECT_EQ(f.mmo.Text(), r.text);
    EXPECT_FALSE(f.mmo.Modified());
  }
}

TEST(ToolkitMemo, LoadLeavesTheModifiedFlagAsItWas) {
  ScratchDir dir("memo");
  ASSERT_TRUE(WriteFileBytes(dir / "in.ini", "new\n"));
  MemoForm f;
  f.mmo.SetText("typed");
  f.mmo.SetModified(true);
  f.mmo.LoadFromFile(dir / "in.ini");
  EXPECT_EQ(f.mmo.Text(), "new\r\n");
  EXPECT_TRUE(f.mmo.Modified());
}

TEST(ToolkitMemo, LoadingTheSameTextLeavesTheBoxUntouched) {
  ScratchDir dir("memo");
  ASSERT_TRUE(WriteFileBytes(dir / "in.ini", "abc\ndef"));
  MemoForm f;
  f.mmo.SetText("abc\r\ndef");
  // A replaced text would lose the selection.
  SendMessageA(f.mmo.Handle(), EM_SETSEL, 2, 5);
  f.mmo.LoadFromFile(dir / "in.ini");
  DWORD from = 0, to = 0;
  SendMessageA(f.mmo.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 2u);
  EXPECT_EQ(to, 5u);
}

TEST(ToolkitMemo, LoadFailuresKeepTheText) {
  ScratchDir dir("memo");
  MemoForm f;
  f.mmo.SetText("keep");
  f.mmo.SetModified(true);
  std::string missing = dir / "missing.ini";
  EXPECT_EQ(ErrorOf([&] { f.mmo.LoadFromFile(missing); }), "Cannot open file " + missing);
  // A directory at the path is no file.
  EXPECT_EQ(ErrorOf([&] { f.mmo.LoadFromFile(dir.path() + "."); }),
            "Cannot open file " + dir.path() + ".");
  // Another program writing the file keeps it from being read.
  std::string held = dir / "held.ini";
  ASSERT_TRUE(WriteFileBytes(held, "x"));
  HANDLE writer = CreateFileA(held.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ErrorOf([&] { f.mmo.LoadFromFile(held); }), "Cannot open file " + held);
  CloseHandle(writer);
  EXPECT_EQ(f.mmo.Text(), "keep");
  EXPECT_TRUE(f.mmo.Modified());
}

TEST(ToolkitMemo, SaveWritesTheTextExactly) {
  struct Row {
    const char* text;
    const char* file;
  };
  const Row rows[] = {
      {"a\r\nb", "a\r\nb"},
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"双拼\r\n编码", "双拼\r\n编码"},
      {"", ""},
  };
  ScratchDir dir("memo");
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text);
    MemoForm f;
    f.mmo.SetText(r.text);
    f.mmo.SetModified(true);
    // A longer file is replaced wholly.
    ASSERT_TRUE(WriteFileBytes(dir / "out.ini", "0123456789012345678901234567890123456789"));
    f.mmo.SaveToFile(dir / "out.ini");
    EXPECT_TRUE(krevtest::FileExists(dir / "out.ini"));
    EXPECT_EQ(ReadFileBytes(dir / "out.ini"), r.file);
    EXPECT_TRUE(f.mmo.Modified());
  }
}

TEST(ToolkitMemo, LfFileRoundTripsWithCrLf) {
  ScratchDir dir("memo");
  ASSERT_TRUE(WriteFileBytes(dir / "in.ini", "[keys]\nq=iu\n"));
  MemoForm f;
  f.mmo.LoadFromFile(dir / "in.ini");
  f.mmo.SaveToFile(dir / "out.ini");
  EXPECT_EQ(ReadFileBytes(dir / "out.ini"), "[keys]\r\nq=iu\r\n");
}

TEST(ToolkitMemo, SaveFailuresNameTheFile) {
  ScratchDir dir("memo");
  MemoForm f;
  f.mmo.SetText("x");
  std::string noFolder = dir / "no\\such\\out.ini";
  EXPECT_EQ(ErrorOf([&] { f.mmo.SaveToFile(noFolder); }), "Cannot create file " + noFolder);
  // Another program holding the file open without sharing it for writing.
  std::string held = dir / "held.ini";
  ASSERT_TRUE(WriteFileBytes(held, "old"));
  HANDLE reader = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ErrorOf([&] { f.mmo.SaveToFile(held); }), "Cannot create file " + held);
  CloseHandle(reader);
  EXPECT_EQ(ReadFileBytes(held), "old");
}

namespace {

int g_writesLeft = 0;

// Writes half of what it is given, and fails once its allowance is used up.
BOOL WINAPI FailingWrite(HANDLE f, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED ov) {
  if (g_writesLeft-- <= 0) {
    ::WriteFile(f, data, size / 2, written, ov);
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
  }
  return ::WriteFile(f, data, size, written, ov);
}

int FilesIn(const std::string& dir) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "*").c_str(), &fd);
  int n = 0;
  if (h == INVALID_HANDLE_VALUE) return 0;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return n;
}

// What saving a memo holding `text` to `path` raises; "" when it raises nothing.
std::string SaveError(const std::string& path, const std::string& text) {
  MemoForm f;
  f.mmo.SetText(text);
  try {
    f.mmo.SaveToFile(path);
  } catch (const std::exception& e) {
    return e.what();
  }
  return "";
}

}  // namespace

TEST(ToolkitMemo, SaveCreatesReplacesAndLeavesNothingBeside) {
  ScratchDir dir("save");
  std::string f = dir / "punctdef.ini";
  EXPECT_EQ("", SaveError(f, "a\r\nb"));
  EXPECT_EQ("a\r\nb", ReadFileBytes(f));
  EXPECT_EQ("", SaveError(f, "longer text\r\nwith a break at the end\r\n"));
  EXPECT_EQ("longer text\r\nwith a break at the end\r\n", ReadFileBytes(f));
  EXPECT_EQ("", SaveError(f, ""));
  EXPECT_TRUE(krevtest::FileExists(f));
  EXPECT_EQ("", ReadFileBytes(f));
  EXPECT_EQ(1, FilesIn(dir.path()));  // nothing left beside it
}

TEST(ToolkitMemo, SaveFailuresKeepTheOldContent) {
  ScratchDir dir("save");
  std::string f = dir / "vardekosp.ini";
  ASSERT_TRUE(WriteFileBytes(f, "old content"));

  ASSERT_TRUE(SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ("Cannot create file " + f, SaveError(f, "new"));
  SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ("old content", ReadFileBytes(f));

  EXPECT_EQ("Cannot create file " + dir.path() + "missing\\x.ini", SaveError(dir / "missing\\x.ini", "new"));

  // More than one write's worth, in lines of a definition file's length.
  std::string big;
  while (big.size() < 200000) big += "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\r\n";
  g_writesLeft = 1;
  std::string error;
  {
    krevtest::ScopedCall failing(ToolkitCalls.WriteFile, FailingWrite);
    error = SaveError(f, big);
  }
  EXPECT_EQ("Stream write error", error);
  EXPECT_EQ("old content", ReadFileBytes(f));
  EXPECT_EQ(1, FilesIn(dir.path()));
}

TEST(ToolkitMemo, TypingSetsModifiedAndTextFromCodeClearsIt) {
  MemoForm f;
  f.mmo.SetText("a");
  EXPECT_FALSE(f.mmo.Modified());
  SetFocus(f.mmo.Handle());
  SendMessageA(f.mmo.Handle(), WM_CHAR, 'z', 0);
  EXPECT_TRUE(f.mmo.Modified());
  f.mmo.SetText("b");
  EXPECT_FALSE(f.mmo.Modified());
}
