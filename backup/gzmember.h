// The gzip member format (RFC 1952) with deflate, inflate and CRC-32 from zlib: writes one member
// and reads a run of members back. Knows nothing of files, options or statuses of a run: it reads
// from an input and writes to an output that its caller gives, and tells what happened by one
// result. It never throws and never ends anything but its own work.
#pragma once

#include <cstdint>

// How a member write or read ended. Every failure has its own value; the caller decides what each
// means for its run.
enum class GzResult {
  Ok,                // the member was written, or every member read, completely
  TrailingData,      // bytes after a complete member that do not start another one; the members
                     // before them were written out
  NotGzip,           // the input does not start with the gzip magic 0x1F 0x8B
  Truncated,         // the input ends inside a member, or after the first byte of its magic
  UnknownMethod,     // CM is not 8 (deflate)
  UnsupportedFlags,  // FLG asks for a header CRC, encryption or a reserved bit
  BadData,           // the deflate data breaks the format
  BadCrc,            // the stored CRC-32 is not that of the member's content
  BadLength,         // the stored ISIZE is not the length of the member's content
  ReadFailed,        // the input could not be read
  WriteFailed,       // the output could not be written
  ZlibFailed,        // the buffers or zlib's state could not be set up, or zlib gave up
};

// Where the bytes come from. Read fills `buffer` with up to `size` bytes and sets `*got`; 0 bytes
// is the end of the input. False when the input cannot be read (reading stops there).
class GzInput {
 public:
  virtual bool Read(unsigned char* buffer, unsigned size, unsigned* got) = 0;

 protected:
  ~GzInput() = default;
};

// Where the bytes go. Write takes all `size` bytes or fails.
class GzOutput {
 public:
  virtual bool Write(const unsigned char* data, unsigned size) = 0;

 protected:
  ~GzOutput() = default;
};

// Writes all of `in` to `out` as one member: FLG 0x08 with `name` (its bytes as they are) and a
// zero byte, MTIME `mtime`, XFL 0, OS 11, raw deflate at level 6, CRC-32 and ISIZE.
GzResult WriteGzipMember(GzInput& in, GzOutput& out, const char* name, uint32_t mtime);

// Reads `in` as one or more members joined end to end and writes their contents, one after the
// other, to `out`. The header is checked (magic, CM, FLG; MTIME, XFL, OS and the optional fields
// are skipped) and each member's CRC-32 and ISIZE are verified.
GzResult ReadGzipMembers(GzInput& in, GzOutput& out);
