#include "gzmember.h"

#include <zlib.h>

#include <memory>
#include <new>

namespace {

constexpr unsigned kChunk = 256 * 1024;  // read and write unit; memory use does not grow with the file

constexpr int kMagic1 = 0x1F;
constexpr int kMagic2 = 0x8B;
constexpr int kOsCode = 11;  // written whatever the platform that writes the member
constexpr int kLevel = 6;

// FLG bits. A header CRC, encryption (0x20) and the reserved bits are refused; FTEXT is ignored.
constexpr int kFlagExtra = 0x04;
constexpr int kFlagName = 0x08;
constexpr int kFlagComment = 0x10;
constexpr int kFlagsRefused = 0x02 | 0x20 | 0x40 | 0x80;

std::unique_ptr<unsigned char[]> NewChunk() {
  return std::unique_ptr<unsigned char[]>(new (std::nothrow) unsigned char[kChunk]);
}

// Gathers output into whole chunks before it hands them on, so that the output sees one write per
// chunk whatever zlib produces at a time.
class ChunkWriter {
 public:
  explicit ChunkWriter(GzOutput& out) : out_(out), buf_(NewChunk()) {}
  bool ready() const { return buf_ != nullptr; }

  // Free room at the end of the chunk, handing a full chunk on first; nullptr when that fails.
  unsigned char* Space(unsigned* avail) {
    if (len_ == kChunk && !Flush()) return nullptr;
    *avail = kChunk - len_;
    return buf_.get() + len_;
  }
  // `n` bytes of the room were filled.
  void Commit(unsigned n) { len_ += n; }
  bool Flush() {
    unsigned n = len_;
    len_ = 0;
    return n == 0 || out_.Write(buf_.get(), n);
  }

 private:
  GzOutput& out_;
  std::unique_ptr<unsigned char[]> buf_;
  unsigned len_ = 0;
};

// Reads the input a chunk at a time. The end of the input and a failed read both show as no more
// bytes; Ended() tells which, as the result of a member that needed more.
class ChunkReader {
 public:
  explicit ChunkReader(GzInput& in) : in_(in), buf_(NewChunk()) {}
  bool ready() const { return buf_ != nullptr; }

  // Reads the next chunk; false at the end of the input or when it cannot be read.
  bool Fill() {
    if (ended_) return false;
    unsigned n = 0;
    if (!in_.Read(buf_.get(), kChunk, &n)) {
      failed_ = true;
      n = 0;
    }
    pos_ = 0;
    len_ = n;
    ended_ = n == 0;
    return !ended_;
  }
  // The next byte, or -1 when there is none.
  int Byte() {
    if (pos_ == len_ && !Fill()) return -1;
    return buf_[pos_++];
  }
  bool Skip(unsigned n) {
    while (n-- > 0) {
      if (Byte() < 0) return false;
    }
    return true;
  }
  // Skips a zero-ended field, its zero included.
  bool SkipText() {
    int b;
    while ((b = Byte()) > 0) {
    }
    return b == 0;
  }
  bool Read16(unsigned* value) {
    int lo = Byte();
    int hi = lo < 0 ? -1 : Byte();
    *value = static_cast<unsigned>(lo) | static_cast<unsigned>(hi) << 8;
    return hi >= 0;
  }
  bool Read32(uint32_t* value) {
    *value = 0;
    for (int i = 0; i < 4; ++i) {
      int b = Byte();
      if (b < 0) return false;
      *value |= static_cast<uint32_t>(b) << (8 * i);
    }
    return true;
  }
  // Whether any byte is left; reads on when the chunk is used up.
  bool More() { return pos_ < len_ || Fill(); }

  unsigned char* data() { return buf_.get() + pos_; }
  unsigned available() const { return len_ - pos_; }
  void Consume(unsigned n) { pos_ += n; }
  bool failed() const { return failed_; }
  // What running out of bytes means where a member needed more.
  GzResult Ended() const { return failed_ ? GzResult::ReadFailed : GzResult::Truncated; }

 private:
  GzInput& in_;
  std::unique_ptr<unsigned char[]> buf_;
  unsigned pos_ = 0, len_ = 0;
  bool ended_ = false;
  bool failed_ = false;
};

// zlib's stream state, ended however the work ends.
struct Deflater {
  z_stream zs{};
  bool started = false;
  ~Deflater() {
    if (started) deflateEnd(&zs);
  }
};

struct Inflater {
  z_stream zs{};
  bool started = false;
  ~Inflater() {
    if (started) inflateEnd(&zs);
  }
};

// Deflates all of `in` into `out` behind the header zlib writes from `header`.
GzResult Deflate(GzInput& in, ChunkWriter& out, gz_header* header) {
  std::unique_ptr<unsigned char[]> buf = NewChunk();
  Deflater d;
  if (!buf || deflateInit2(&d.zs, kLevel, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    return GzResult::ZlibFailed;
  }
  d.started = true;
  if (deflateSetHeader(&d.zs, header) != Z_OK) return GzResult::ZlibFailed;

  int flush = Z_NO_FLUSH;
  while (flush != Z_FINISH) {
    unsigned n = 0;
    if (!in.Read(buf.get(), kChunk, &n)) return GzResult::ReadFailed;
    flush = n == 0 ? Z_FINISH : Z_NO_FLUSH;
    d.zs.next_in = buf.get();
    d.zs.avail_in = n;
    do {
      unsigned avail;
      unsigned char* space = out.Space(&avail);
      if (!space) return GzResult::WriteFailed;
      d.zs.next_out = space;
      d.zs.avail_out = avail;
      if (deflate(&d.zs, flush) == Z_STREAM_ERROR) return GzResult::ZlibFailed;
      out.Commit(avail - d.zs.avail_out);
    } while (d.zs.avail_out == 0);
  }
  return GzResult::Ok;
}

// Reads one member's header up to its deflate data. `first`: no member came before in the input,
// so that bytes without the magic are no gzip input at all rather than data after the last member.
GzResult ReadHeader(ChunkReader& in, bool first) {
  int id1 = in.Byte();
  int id2 = id1 < 0 ? -1 : in.Byte();
  if (id2 < 0) return in.Ended();
  if (id1 != kMagic1 || id2 != kMagic2) return first ? GzResult::NotGzip : GzResult::TrailingData;
  int method = in.Byte();
  if (method < 0) return in.Ended();
  if (method != Z_DEFLATED) return GzResult::UnknownMethod;
  int flags = in.Byte();
  if (flags < 0) return in.Ended();
  if (flags & kFlagsRefused) return GzResult::UnsupportedFlags;
  if (!in.Skip(6)) return in.Ended();  // MTIME, XFL, OS: a restore takes nothing from them
  unsigned extra = 0;
  if ((flags & kFlagExtra) && !(in.Read16(&extra) && in.Skip(extra))) return in.Ended();
  if ((flags & kFlagName) && !in.SkipText()) return in.Ended();
  if ((flags & kFlagComment) && !in.SkipText()) return in.Ended();
  return GzResult::Ok;
}

// Inflates one member's deflate data into `out` and checks its trailer.
GzResult InflateMember(ChunkReader& in, ChunkWriter& out) {
  Inflater d;
  if (inflateInit2(&d.zs, -15) != Z_OK) return GzResult::ZlibFailed;
  d.started = true;
  uLong crc = crc32(0, Z_NULL, 0);
  uint32_t size = 0;
  int ret = Z_OK;
  while (ret != Z_STREAM_END) {
    if (in.available() == 0 && !in.Fill()) return in.Ended();
    d.zs.next_in = in.data();
    d.zs.avail_in = in.available();
    for (;;) {
      unsigned avail;
      unsigned char* space = out.Space(&avail);
      if (!space) return GzResult::WriteFailed;
      d.zs.next_out = space;
      d.zs.avail_out = avail;
      ret = inflate(&d.zs, Z_NO_FLUSH);
      unsigned got = avail - d.zs.avail_out;
      crc = crc32(crc, space, got);
      size += got;
      out.Commit(got);
      if (ret == Z_MEM_ERROR) return GzResult::ZlibFailed;
      if (ret == Z_NEED_DICT || ret == Z_DATA_ERROR || ret == Z_STREAM_ERROR) return GzResult::BadData;
      if (ret == Z_STREAM_END) break;
      if (d.zs.avail_in == 0 && d.zs.avail_out != 0) break;  // needs the next chunk of input
    }
    in.Consume(in.available() - d.zs.avail_in);
  }
  uint32_t storedCrc, storedSize;
  if (!in.Read32(&storedCrc) || !in.Read32(&storedSize)) return in.Ended();
  if (storedCrc != static_cast<uint32_t>(crc)) return GzResult::BadCrc;
  if (storedSize != size) return GzResult::BadLength;
  return GzResult::Ok;
}

}  // namespace

GzResult WriteGzipMember(GzInput& in, GzOutput& out, const char* name, uint32_t mtime) {
  ChunkWriter writer(out);
  gz_header header{};
  header.time = mtime;
  header.os = kOsCode;
  header.name = reinterpret_cast<Bytef*>(const_cast<char*>(name));
  GzResult result = writer.ready() ? Deflate(in, writer, &header) : GzResult::ZlibFailed;
  if (result == GzResult::Ok && !writer.Flush()) result = GzResult::WriteFailed;
  return result;
}

GzResult ReadGzipMembers(GzInput& in, GzOutput& out) {
  ChunkReader reader(in);
  ChunkWriter writer(out);
  GzResult result = reader.ready() && writer.ready() ? GzResult::Ok : GzResult::ZlibFailed;
  for (bool first = true; result == GzResult::Ok; first = false) {
    result = ReadHeader(reader, first);
    if (result == GzResult::Ok) result = InflateMember(reader, writer);
    if (result == GzResult::Ok && !reader.More()) {
      if (reader.failed()) result = GzResult::ReadFailed;
      break;
    }
  }
  // What the members gave is written out also when data after the last of them ends the read.
  if ((result == GzResult::Ok || result == GzResult::TrailingData) && !writer.Flush()) {
    result = GzResult::WriteFailed;
  }
  return result;
}
