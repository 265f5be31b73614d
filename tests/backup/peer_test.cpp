// The codec against a real peer, the host's gzip: files it wrote restore, backups the program
// writes are left for it to judge (test_backup_host_gzip), and damaged backups are treated no more
// leniently than its gunzip treats them.
#include <gtest/gtest.h>

#include <sstream>

#include "backup_testutil.h"
#include "codec.h"
#include "testenv.h"

using krevtest::ReadFileBytes;
using krevtest::ScratchDir;
using krevtest::WriteFileBytes;

namespace {

std::vector<std::vector<std::string>> ReadTable(const std::string& path) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream in(ReadFileBytes(path));
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::vector<std::string> row;
    std::string w;
    while (words >> w) row.push_back(w);
    if (!row.empty()) rows.push_back(row);
  }
  return rows;
}

TEST(PeerTest, FilesWrittenByTheHostGzipRestore) {
  auto rows = ReadTable(lvtest::Fixture("peer/peer.txt"));
  ASSERT_GE(rows.size(), 20u) << "fixtures missing: " << lvtest::Fixture("peer/peer.txt");
  ScratchDir dir("lexvault-peer");
  std::string lib = dir / "perlex.dat";
  for (const auto& row : rows) {
    SCOPED_TRACE(row[0]);
    ASSERT_TRUE(WriteFileBytes(lib, "before"));
    EXPECT_EQ(DecompressFileTo(lvtest::Fixture("peer/" + row[0]).c_str(), lib.c_str()), 0);
    EXPECT_TRUE(ReadFileBytes(lib) == ReadFileBytes(lvtest::Fixture("peer/" + row[1])));
  }
}

TEST(PeerTest, WritesBackupsForTheHostGzip) {
  std::string out = lvtest::PeerOutDir();
  krevtest::RemoveTree(out);
  ASSERT_TRUE(CreateDirectoryA(out.substr(0, out.size() - 1).c_str(), nullptr));
  std::string text;
  for (int i = 0; text.size() < 300000; ++i) text += "ci'ku 词库" + std::to_string(i * 31 % 977) + "\r\n";
  std::string binary;
  for (int i = 0; i < 100000; ++i) binary.push_back(static_cast<char>((i * 2654435761u) >> 13));
  struct Case {
    const char* backup;
    const char* sourceName;
    std::string content;
  };
  const Case cases[] = {
      {"empty", "perlex.dat", ""},
      {"one-byte", "PerLex.DAT", "x"},
      {"text", "perlex.dat", text},
      {"binary", "bin.dat", binary},
      {"gbk-name", "我的词库.dat", text.substr(0, 5000)},
  };
  ScratchDir dir("lexvault-peerout");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.backup);
    std::string source = dir / c.sourceName;
    ASSERT_TRUE(WriteFileBytes(source, c.content));
    std::string base = out + c.backup;
    ASSERT_EQ(CompressFileTo(source.c_str(), (base + ".LXB").c_str()), 0);
    ASSERT_TRUE(WriteFileBytes(base + ".src", c.content));
    EXPECT_EQ(lvtest::StoredName(ReadFileBytes(base + ".LXB")), c.sourceName);
  }
}

TEST(PeerTest, MutatedBackupsRestoreOnlyAsTheHostGunzipDoes) {
  auto rows = ReadTable(lvtest::Fixture("mut/mut.txt"));
  ASSERT_GE(rows.size(), 1000u) << "fixtures missing: " << lvtest::Fixture("mut/mut.txt");
  const std::string library = ReadFileBytes(lvtest::Fixture("mut/library.dat"));
  ASSERT_FALSE(library.empty());
  ScratchDir dir("lexvault-mut");
  std::string lib = dir / "perlex.dat";
  ASSERT_TRUE(WriteFileBytes(lib, library));
  for (const auto& row : rows) {
    ASSERT_EQ(row.size(), 3u);
    const std::string& name = row[0];
    const int hostStatus = std::stoi(row[1]);
    const std::string& kind = row[2];
    SCOPED_TRACE(name + " " + kind + " host status " + row[1]);
    int result = DecompressFileTo(lvtest::Fixture("mut/" + name + ".lxb").c_str(), lib.c_str());
    ASSERT_TRUE(result == 0 || result == -1);
    if (result == 0) {
      EXPECT_EQ(hostStatus, 0);
      EXPECT_TRUE(ReadFileBytes(lib) == ReadFileBytes(lvtest::Fixture("mut/" + name + ".out")));
      ASSERT_TRUE(WriteFileBytes(lib, library));
    } else {
      EXPECT_TRUE(ReadFileBytes(lib) == library);
    }
    // Fields a restore ignores: a change there restores like the original.
    if (kind == "valid" || kind == "ignored") {
      EXPECT_EQ(result, 0);
    }
    EXPECT_EQ(lvtest::FolderNames(dir.path()), std::vector<std::string>{"perlex.dat"});
    if (HasFailure()) break;
  }
}

}  // namespace
