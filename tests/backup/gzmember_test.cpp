// The gzip member format on its own, in memory: the result each input gives (which the entry points
// fold into -1), input handed over in small pieces, and a failing input or output.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "backup_testutil.h"
#include "gzmember.h"

using lvtest::Member;
using lvtest::MemberFields;

namespace {

// Hands out `bytes` at most `piece` bytes a read; the read after `failAfter` reads fails.
class MemoryInput final : public GzInput {
 public:
  explicit MemoryInput(std::string bytes, unsigned piece = 1u << 30, int failAfter = -1)
      : bytes_(std::move(bytes)), piece_(piece), readsLeft_(failAfter) {}
  bool Read(unsigned char* buffer, unsigned size, unsigned* got) override {
    if (readsLeft_ == 0) return false;
    if (readsLeft_ > 0) --readsLeft_;
    size_t n = std::min<size_t>({size, piece_, bytes_.size() - pos_});
    std::memcpy(buffer, bytes_.data() + pos_, n);
    pos_ += n;
    *got = static_cast<unsigned>(n);
    return true;
  }

 private:
  std::string bytes_;
  size_t pos_ = 0;
  unsigned piece_;
  int readsLeft_;
};

// Keeps what is written; the write after `failAfter` writes fails.
class MemoryOutput final : public GzOutput {
 public:
  explicit MemoryOutput(int failAfter = -1) : writesLeft_(failAfter) {}
  bool Write(const unsigned char* data, unsigned size) override {
    if (writesLeft_ == 0) return false;
    if (writesLeft_ > 0) --writesLeft_;
    bytes.append(reinterpret_cast<const char*>(data), size);
    return true;
  }
  std::string bytes;

 private:
  int writesLeft_;
};

const char* Name(GzResult r) {
  static const char* const kNames[] = {"Ok",      "TrailingData", "NotGzip", "Truncated",  "UnknownMethod",
                                       "UnsupportedFlags", "BadData", "BadCrc", "BadLength", "ReadFailed",
                                       "WriteFailed", "ZlibFailed"};
  return kNames[static_cast<int>(r)];
}

TEST(GzMemberTest, EachInputGivesItsOwnResult) {
  const std::string a = "the first member 中文";
  const std::string b(300000, 'b');  // more than one chunk of output
  const std::string good = Member(a);
  auto flipped = [&good](size_t at) {  // `good` with one bit changed at `at`
    std::string s = good;
    s[at] ^= 1;
    return s;
  };
  MemberFields hcrc;
  hcrc.flags = 0x02;
  MemberFields encrypted;
  encrypted.flags = 0x20;
  MemberFields optional;
  optional.flags = 0x01 | 0x04 | 0x08 | 0x10;
  optional.extra = std::string(70, 'e');
  optional.comment = "a comment";
  // A stored block whose length and its complement disagree.
  const std::string badBlock = good.substr(0, 21) + std::string("\x01\x05\x00\x00\x00", 5) + "xxxxx" +
                               std::string(8, '\0');

  struct Case {
    const char* what;
    std::string input;
    GzResult result;
    std::string output;  // what reached the output
  };
  const Case cases[] = {
      {"one member", good, GzResult::Ok, a},
      {"two members", good + Member(b), GzResult::Ok, a + b},
      {"optional fields skipped", Member(a, optional), GzResult::Ok, a},
      {"data after the members", good + Member(b) + "xyz", GzResult::TrailingData, a + b},
      {"zero bytes after the member", good + std::string(4, '\0'), GzResult::TrailingData, a},
      {"one byte after the member", good + "\x1f", GzResult::Truncated, ""},
      {"empty input", "", GzResult::Truncated, ""},
      {"magic alone", "\x1f\x8b", GzResult::Truncated, ""},
      {"ends in the header", good.substr(0, 7), GzResult::Truncated, ""},
      {"ends in the name", good.substr(0, 14), GzResult::Truncated, ""},
      {"ends in the data", good.substr(0, 24), GzResult::Truncated, ""},
      {"ends in the trailer", good.substr(0, good.size() - 1), GzResult::Truncated, ""},
      {"not gzip", "perlex data", GzResult::NotGzip, ""},
      {"old gzip magic", "\x1f\x9e" + good.substr(2), GzResult::NotGzip, ""},
      {"CM not 8", flipped(2), GzResult::UnknownMethod, ""},
      {"header CRC", Member(a, hcrc), GzResult::UnsupportedFlags, ""},
      {"encrypted", Member(a, encrypted), GzResult::UnsupportedFlags, ""},
      {"refused flag in the second member", good + Member(a, hcrc), GzResult::UnsupportedFlags, ""},
      {"broken deflate data", badBlock, GzResult::BadData, ""},
      {"CRC-32 differs", flipped(good.size() - 8), GzResult::BadCrc, ""},
      {"ISIZE differs", flipped(good.size() - 4), GzResult::BadLength, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (unsigned piece : {1u << 30, 1u, 3u}) {
      SCOPED_TRACE(piece);
      MemoryInput in(c.input, piece);
      MemoryOutput out;
      EXPECT_STREQ(Name(ReadGzipMembers(in, out)), Name(c.result));
      if (c.result == GzResult::Ok || c.result == GzResult::TrailingData) {
        EXPECT_TRUE(out.bytes == c.output);
      }
    }
  }
}

TEST(GzMemberTest, WrittenMemberHasTheLayoutAndReadsBack) {
  MemoryInput empty("");
  MemoryOutput member;
  ASSERT_STREQ(Name(WriteGzipMember(empty, member, "PerLex.DAT", 0x5E0D4A25)), "Ok");
  EXPECT_EQ(member.bytes, std::string("\x1f\x8b\x08\x08\x25\x4a\x0d\x5e\x00\x0b"
                                      "PerLex.DAT\x00"
                                      "\x03\x00"
                                      "\x00\x00\x00\x00\x00\x00\x00\x00",
                                      31));

  std::string content;
  for (int i = 0; content.size() < 600000; ++i) content += std::to_string(i * 7919 % 100003) + " 词 ";
  for (unsigned piece : {1u << 30, 4093u}) {
    SCOPED_TRACE(piece);
    MemoryInput in(content, piece);
    MemoryOutput packed;
    ASSERT_STREQ(Name(WriteGzipMember(in, packed, "perlex.dat", 1)), "Ok");
    MemoryInput back(packed.bytes, piece);
    MemoryOutput unpacked;
    EXPECT_STREQ(Name(ReadGzipMembers(back, unpacked)), "Ok");
    EXPECT_TRUE(unpacked.bytes == content);
  }
}

TEST(GzMemberTest, FailingInputOrOutputStopsWithItsOwnResult) {
  // Bytes that do not compress, so that the member, too, takes several chunks.
  std::string content(700000, '\0');
  unsigned seed = 12345;
  for (char& ch : content) {
    seed = seed * 1103515245u + 12345u;
    ch = static_cast<char>(seed >> 24);
  }
  MemoryInput source(content);
  MemoryOutput packedOut;
  ASSERT_STREQ(Name(WriteGzipMember(source, packedOut, "perlex.dat", 1)), "Ok");
  const std::string packed = packedOut.bytes;

  struct Case {
    const char* what;
    int readsBeforeFailure;
    int writesBeforeFailure;
    GzResult result;
  };
  const Case cases[] = {
      {"first read fails", 0, -1, GzResult::ReadFailed},
      {"a later read fails", 1, -1, GzResult::ReadFailed},
      {"first write fails", -1, 0, GzResult::WriteFailed},
      {"a later write fails", -1, 1, GzResult::WriteFailed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    {
      MemoryInput in(content, 1000, c.readsBeforeFailure);
      MemoryOutput out(c.writesBeforeFailure);
      EXPECT_STREQ(Name(WriteGzipMember(in, out, "perlex.dat", 1)), Name(c.result));
    }
    {
      MemoryInput in(packed, 1000, c.readsBeforeFailure);
      MemoryOutput out(c.writesBeforeFailure);
      EXPECT_STREQ(Name(ReadGzipMembers(in, out)), Name(c.result));
    }
  }
  // A read that fails right after a complete member is a failure, not the end of the input.
  MemoryInput cut(Member("one small member"), 1u << 30, 1);
  MemoryOutput out;
  EXPECT_STREQ(Name(ReadGzipMembers(cut, out)), "ReadFailed");
}

}  // namespace
