// The backup file and its codec: layout, the restore's member checks, the missing-source lookup,
// GZIP options, and that a failed run changes nothing at its target.
#include <io.h>

#include <csignal>

#include <gtest/gtest.h>

#include "backup_testutil.h"
#include "calls.h"
#include "codec.h"
#include "seams.h"
#include "testenv.h"

using krevtest::FileExists;
using krevtest::ReadFileBytes;
using krevtest::ScratchDir;
using krevtest::WriteFileBytes;
using lvtest::Member;
using lvtest::MemberFields;

namespace {

const std::string kOldLibrary = "the word library as it was before the run";

class CodecTest : public ::testing::Test {
 protected:
  ScratchDir dir{"lexvault-codec"};
  std::string lib = dir / "perlex.dat";
  std::string backup = dir / "wl.LXB";

  // Only these names may be in the folder: nothing stray beside the target.
  void ExpectOnly(std::vector<std::string> names) {
    std::vector<std::string> seen = lvtest::FolderNames(dir.path());
    std::sort(seen.begin(), seen.end());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(seen, names);
  }
};

TEST_F(CodecTest, EmptyLibraryGivesThe31ByteBackupAndRestoresEmpty) {
  ASSERT_TRUE(WriteFileBytes(lib, ""));
  ASSERT_TRUE(lvtest::SetUnixMTime(lib, 0x5E0D4A25));
  ASSERT_EQ(CompressFileTo(lib.c_str(), backup.c_str()), 0);
  const std::string expected("\x1f\x8b\x08\x08\x25\x4a\x0d\x5e\x00\x0b"
                             "perlex.dat\x00"
                             "\x03\x00"
                             "\x00\x00\x00\x00\x00\x00\x00\x00",
                             31);
  EXPECT_EQ(ReadFileBytes(backup), expected);

  ASSERT_TRUE(WriteFileBytes(lib, kOldLibrary));
  EXPECT_EQ(DecompressFileTo(backup.c_str(), lib.c_str()), 0);
  EXPECT_TRUE(FileExists(lib));
  EXPECT_EQ(ReadFileBytes(lib), "");
  ExpectOnly({"perlex.dat", "wl.LXB"});
}

TEST_F(CodecTest, LargeLibraryRoundTripsAcrossManyChunksAndKeepsStandardOutput) {
  std::string content;
  for (int i = 0; content.size() < 3 * 1024 * 1024; ++i) content += "zhong'guo 中国 " + std::to_string(i * 7919 % 100003) + "\n";
  ASSERT_TRUE(WriteFileBytes(lib, content));
  HANDLE stdoutBefore = GetStdHandle(STD_OUTPUT_HANDLE);
  intptr_t fd1Before = _get_osfhandle(1);
  ASSERT_EQ(CompressFileTo(lib.c_str(), backup.c_str()), 0);
  std::string out = dir / "restored.dat";
  ASSERT_EQ(DecompressFileTo(backup.c_str(), out.c_str()), 0);
  EXPECT_TRUE(ReadFileBytes(out) == content);
  EXPECT_EQ(GetStdHandle(STD_OUTPUT_HANDLE), stdoutBefore);
  EXPECT_EQ(_get_osfhandle(1), fd1Before);
  EXPECT_EQ(StdStreamDescriptor(stdout), 1);
}

TEST_F(CodecTest, StoredNameIsTheBaseNameByTheByteWiseRule) {
  krevtest::CurrentDirectory cwd(dir.path());
  ASSERT_TRUE(cwd.ok());
  struct Case {
    std::string file;    // created in the folder
    std::string source;  // as given to the codec
    std::string stored;
  };
  const std::string d = dir.path();
  const Case cases[] = {
      {"PerLex.DAT", d + "PerLex.DAT", "PerLex.DAT"},
      {"perlex.dat", std::string(1, d[0]) + ":perlex.dat", "perlex.dat"},
      {"plain.dat", "plain.dat", "plain.dat"},
      {"mixed.dat", d.substr(0, d.size() - 1) + "/mixed.dat", "mixed.dat"},
      // 乗 is 0x81 0x5C: its trail byte counts as a backslash.
      {"乗lex.dat", d + "乗lex.dat", "lex.dat"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    ASSERT_TRUE(WriteFileBytes(d + c.file, "abc"));
    ASSERT_EQ(CompressFileTo(c.source.c_str(), backup.c_str()), 0);
    std::string bytes = ReadFileBytes(backup);
    EXPECT_EQ(lvtest::StoredName(bytes), c.stored);
    EXPECT_EQ(bytes.substr(3, 1), "\x08");
    EXPECT_EQ(bytes.substr(8, 2), std::string("\x00\x0b", 2));
  }
}

TEST_F(CodecTest, RestoreChecksEveryMember) {
  const std::string a = "first library content 中文";
  const std::string b(70000, 'b');
  MemberFields extra;
  extra.flags = 0x04 | 0x08;
  extra.extra = std::string("XY\x04\x00" "data", 8);
  MemberFields comment;
  comment.flags = 0x10;
  comment.comment = "a comment";
  MemberFields all;
  all.flags = 0x04 | 0x08 | 0x10 | 0x01;
  all.extra = "e";
  all.comment = "c";
  MemberFields hcrc;
  hcrc.flags = 0x02 | 0x08;
  MemberFields encrypted;
  encrypted.flags = 0x20;
  MemberFields reserved;
  reserved.flags = 0x08 | 0x80;
  std::string good = Member(a);
  std::string badCrc = good;
  badCrc[badCrc.size() - 8] ^= 1;
  std::string badSize = good;
  badSize[badSize.size() - 4] ^= 1;
  std::string cm7 = good;
  cm7[2] = 7;

  struct Case {
    const char* what;
    std::string file;
    int result;
    std::string content;
  };
  const Case cases[] = {
      {"one member", good, 0, a},
      {"two members joined", good + Member(b), 0, a + b},
      {"FEXTRA skipped", Member(a, extra), 0, a},
      {"FCOMMENT skipped", Member(a, comment), 0, a},
      {"FTEXT, FEXTRA, FNAME, FCOMMENT", Member(b, all), 0, b},
      {"trailing zero bytes", good + std::string(4, '\0'), -1, ""},
      {"trailing garbage", good + "xyz", -1, ""},
      {"one trailing byte", good + "\x1f", -1, ""},
      {"FHCRC refused", Member(a, hcrc), -1, ""},
      {"encrypted refused", Member(a, encrypted), -1, ""},
      {"reserved flag refused", Member(a, reserved), -1, ""},
      {"refused flag in the second member", good + Member(a, hcrc), -1, ""},
      {"CM not 8", cm7, -1, ""},
      {"CRC-32 differs", badCrc, -1, ""},
      {"ISIZE differs", badSize, -1, ""},
      {"truncated in the trailer", good.substr(0, good.size() - 1), -1, ""},
      {"truncated in the data", good.substr(0, 20), -1, ""},
      {"truncated in the header", good.substr(0, 7), -1, ""},
      {"magic alone", "\x1f\x8b", -1, ""},
      {"empty file", "", -1, ""},
      {"not gzip", "perlex data, not compressed", -1, ""},
      {"old gzip magic", "\x1f\x9e" + good.substr(2), -1, ""},
      {"second member broken", good + Member(b).substr(0, 30), -1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(WriteFileBytes(backup, c.file));
    ASSERT_TRUE(WriteFileBytes(lib, kOldLibrary));
    EXPECT_EQ(DecompressFileTo(backup.c_str(), lib.c_str()), c.result);
    EXPECT_TRUE(ReadFileBytes(lib) == (c.result == 0 ? c.content : kOldLibrary));
    ExpectOnly({"perlex.dat", "wl.LXB"});
  }
}

TEST_F(CodecTest, MissingRestoreSourceIsLookedUpWithCompressorEndings) {
  const std::string content = "restored through a further name";
  struct Case {
    std::string given;
    std::vector<std::string> present;  // files that exist, each holding a backup of its own name
    int result;
    std::string from;  // the file restored
  };
  const Case cases[] = {
      {"wl", {"wl.gz"}, 0, "wl.gz"},
      {"wl", {"wl-z"}, 0, "wl-z"},
      {"wl", {"wl.z", "wl.gz"}, 0, "wl.gz"},
      {"wl", {}, -1, ""},
      {"wl.GZ", {"wl.GZ.gz"}, -1, ""},
      {"wl.gz", {"wl.gz.gz"}, -1, ""},
      {"wl.Tgz", {"wl.Tgz.gz"}, -1, ""},
      {"wl_Z", {"wl_Z.gz"}, -1, ""},
      {"wl-gz", {"wl-gz.gz"}, -1, ""},
      {"missing\\wl", {}, -1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.given);
    ScratchDir d("lexvault-suffix");
    for (const std::string& p : c.present) ASSERT_TRUE(WriteFileBytes(d / p, Member(content + " " + p)));
    std::string target = d / "perlex.dat";
    ASSERT_TRUE(WriteFileBytes(target, kOldLibrary));
    EXPECT_EQ(DecompressFileTo((d / c.given).c_str(), target.c_str()), c.result);
    EXPECT_EQ(ReadFileBytes(target), c.result == 0 ? content + " " + c.from : kOldLibrary);
    // A compression source is never looked up further.
    if (!c.present.empty()) {
      EXPECT_EQ(CompressFileTo((d / c.given).c_str(), (d / "x.LXB").c_str()), -1);
    }
  }
}

TEST_F(CodecTest, GzipEnvironmentWords) {
  struct Case {
    const char* gzip;
    int backupResult;
    int restoreResult;
  };
  const Case cases[] = {
      {"-c", 0, 0},
      {"--stdout", 0, 0},
      {"--to-stdout", 0, 0},
      {"--to", 0, 0},
      {"--s", 0, 0},
      {" \t-c\t ", 0, 0},
      {"", 0, 0},
      {"  ", 0, 0},
      {"-d", -1, 0},
      {"--decomp", -1, 0},
      {"--uncompress", -1, 0},
      {"-cd", -1, 0},
      {"-9", -1, -1},
      {"-c -6", -1, -1},
      {"-q", -1, -1},
      {"-n", -1, -1},
      {"-S.lxb", -1, -1},
      {"--best", -1, -1},
      {"--stdout=yes", -1, -1},
      {"--x", -1, -1},
      {"-", -1, -1},
      {"--", -1, -1},
      {"other.dat", -1, -1},
  };
  const std::string content = "library bytes for the GZIP cases";
  const std::string good = Member(content);
  const std::string other = dir / "other.dat";
  ASSERT_TRUE(WriteFileBytes(other, "another file that must stay out of every target"));
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("GZIP=") + c.gzip);
    ASSERT_TRUE(WriteFileBytes(lib, content));
    ASSERT_TRUE(WriteFileBytes(backup, "an older backup"));
    {
      lvtest::EnvVar env("GZIP", c.gzip);
      EXPECT_EQ(CompressFileTo(lib.c_str(), backup.c_str()), c.backupResult);
    }
    EXPECT_EQ(ReadFileBytes(lib), content);
    if (c.backupResult == 0) {
      ASSERT_EQ(DecompressFileTo(backup.c_str(), (dir / "check.dat").c_str()), 0);
      EXPECT_EQ(ReadFileBytes(dir / "check.dat"), content);
      DeleteFileA((dir / "check.dat").c_str());
    } else {
      EXPECT_EQ(ReadFileBytes(backup), "an older backup");
    }

    ASSERT_TRUE(WriteFileBytes(backup, good));
    ASSERT_TRUE(WriteFileBytes(lib, kOldLibrary));
    {
      lvtest::EnvVar env("GZIP", c.gzip);
      EXPECT_EQ(DecompressFileTo(backup.c_str(), lib.c_str()), c.restoreResult);
    }
    EXPECT_EQ(ReadFileBytes(lib), c.restoreResult == 0 ? content : kOldLibrary);
    EXPECT_EQ(ReadFileBytes(backup), good);
    ExpectOnly({"perlex.dat", "wl.LXB", "other.dat"});
  }
}

TEST_F(CodecTest, SourceStartingWithAHyphenIsAFileName) {
  ScratchDir d("lexvault-hyphen");
  krevtest::CurrentDirectory cwd(d.path());
  ASSERT_TRUE(cwd.ok());
  ASSERT_TRUE(WriteFileBytes(d / "-d", Member("from a file named -d")));
  ASSERT_TRUE(WriteFileBytes(d / "perlex.dat", kOldLibrary));
  EXPECT_EQ(DecompressFileTo("-d", "perlex.dat"), 0);
  EXPECT_EQ(ReadFileBytes(d / "perlex.dat"), "from a file named -d");
  // "-c" names no file: the restore fails instead of succeeding with nothing to read.
  ASSERT_TRUE(WriteFileBytes(d / "perlex.dat", kOldLibrary));
  EXPECT_EQ(DecompressFileTo("-c", "perlex.dat"), -1);
  EXPECT_EQ(ReadFileBytes(d / "perlex.dat"), kOldLibrary);
}

TEST_F(CodecTest, UnusableTargetOrSourceFailsAndChangesNothing) {
  ASSERT_TRUE(WriteFileBytes(lib, kOldLibrary));
  ASSERT_TRUE(WriteFileBytes(backup, Member("new content")));
  std::string sub = dir / "sub";
  ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));

  // A target folder that does not exist.
  EXPECT_EQ(CompressFileTo(lib.c_str(), (dir / "missing\\wl.LXB").c_str()), -1);
  EXPECT_EQ(DecompressFileTo(backup.c_str(), (dir / "missing\\perlex.dat").c_str()), -1);
  // A directory as source, and as target.
  EXPECT_EQ(CompressFileTo(sub.c_str(), (dir / "dir.LXB").c_str()), -1);
  EXPECT_EQ(DecompressFileTo(sub.c_str(), lib.c_str()), -1);
  EXPECT_EQ(DecompressFileTo(backup.c_str(), sub.c_str()), -1);
  // A missing backup source.
  EXPECT_EQ(CompressFileTo((dir / "nothing.dat").c_str(), (dir / "n.LXB").c_str()), -1);
  // A read-only library keeps its content and its attribute.
  ASSERT_TRUE(SetFileAttributesA(lib.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(DecompressFileTo(backup.c_str(), lib.c_str()), -1);
  EXPECT_TRUE(GetFileAttributesA(lib.c_str()) & FILE_ATTRIBUTE_READONLY);
  SetFileAttributesA(lib.c_str(), FILE_ATTRIBUTE_NORMAL);
  // Empty paths.
  EXPECT_EQ(CompressFileTo("", backup.c_str()), -1);
  EXPECT_EQ(DecompressFileTo(backup.c_str(), ""), -1);

  EXPECT_EQ(ReadFileBytes(lib), kOldLibrary);
  EXPECT_EQ(ReadFileBytes(backup), Member("new content"));
  ExpectOnly({"perlex.dat", "wl.LXB", "sub"});
  EXPECT_TRUE(lvtest::FolderNames(sub).empty());
}

TEST_F(CodecTest, SourceAndTargetNamingTheSameFileFailUntouched) {
  ASSERT_TRUE(WriteFileBytes(lib, kOldLibrary));
  char shortName[MAX_PATH] = {0};
  GetShortPathNameA(lib.c_str(), shortName, MAX_PATH);
  std::string d = dir.path();
  std::string upper = lib;
  CharUpperA(&upper[0]);
  std::string slashes = lib;
  for (char& c : slashes) {
    if (c == '\\') c = '/';
  }
  const std::string spellings[] = {lib, upper, slashes, d + "..\\" + d.substr(d.rfind('\\', d.size() - 2) + 1) + "perlex.dat",
                                   d + ".\\perlex.dat", shortName};
  for (const std::string& other : spellings) {
    SCOPED_TRACE(other);
    EXPECT_EQ(CompressFileTo(lib.c_str(), other.c_str()), -1);
    EXPECT_EQ(ReadFileBytes(lib), kOldLibrary);
    ASSERT_TRUE(WriteFileBytes(lib, Member(kOldLibrary)));
    EXPECT_EQ(DecompressFileTo(other.c_str(), lib.c_str()), -1);
    EXPECT_EQ(ReadFileBytes(lib), Member(kOldLibrary));
    ASSERT_TRUE(WriteFileBytes(lib, kOldLibrary));
    ExpectOnly({"perlex.dat"});
  }
  // A restore whose further name (".gz") is the target.
  ASSERT_TRUE(WriteFileBytes(dir / "wl.gz", Member("x")));
  EXPECT_EQ(DecompressFileTo((dir / "wl").c_str(), (dir / "WL.GZ").c_str()), -1);
  EXPECT_EQ(ReadFileBytes(dir / "wl.gz"), Member("x"));
}

int g_writes = 0;
int g_failAt = 0;
bool g_interrupt = false;

BOOL WINAPI FlakyWrite(HANDLE h, LPCVOID data, DWORD n, LPDWORD done, LPOVERLAPPED ov) {
  if (++g_writes == g_failAt) {
    if (g_interrupt) {
      std::raise(SIGINT);
    } else {
      SetLastError(ERROR_DISK_FULL);
      return FALSE;
    }
  }
  return WriteFile(h, data, n, done, ov);
}

int g_signalsSeen = 0;
void CountSignal(int) { ++g_signalsSeen; }

TEST_F(CodecTest, WriteFailureAndInterruptLeaveTheOldTarget) {
  std::string content;
  for (int i = 0; content.size() < 2 * 1024 * 1024; ++i) content += std::to_string(i * 2654435761u) + " ";
  std::string source = dir / "big.dat";
  ASSERT_TRUE(WriteFileBytes(source, content));
  ASSERT_EQ(CompressFileTo(source.c_str(), backup.c_str()), 0);
  const std::string goodBackup = ReadFileBytes(backup);
  auto previous = std::signal(SIGINT, CountSignal);

  for (bool interrupt : {false, true}) {
    SCOPED_TRACE(interrupt ? "interrupted" : "disk full");
    g_interrupt = interrupt;
    krevtest::ScopedCall flakyWrite(LexVaultCalls.WriteFile, FlakyWrite);
    g_writes = 0;
    g_failAt = 2;
    ASSERT_TRUE(WriteFileBytes(lib, kOldLibrary));
    EXPECT_EQ(DecompressFileTo(backup.c_str(), lib.c_str()), -1);
    EXPECT_EQ(ReadFileBytes(lib), kOldLibrary);
    g_writes = 0;
    EXPECT_EQ(CompressFileTo(source.c_str(), backup.c_str()), -1);
    EXPECT_TRUE(ReadFileBytes(backup) == goodBackup);
    ExpectOnly({"perlex.dat", "wl.LXB", "big.dat"});
  }
  // The caller's handler is back once the run is over.
  g_signalsSeen = 0;
  std::raise(SIGINT);
  EXPECT_EQ(g_signalsSeen, 1);
  std::signal(SIGINT, previous);
}

TEST(AsciiToLowerTest, ChangesOnlyAsciiCapitals) {
  char text[] = "AbZ.GZ\xC7\xE0\xC0\xB6@[`{";
  EXPECT_STREQ(AsciiToLower(text), "abz.gz\xC7\xE0\xC0\xB6@[`{");
}

}  // namespace
