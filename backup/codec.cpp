#include "codec.h"

#include <io.h>
#include <zlib.h>

#include <csignal>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "calls.h"

namespace {

constexpr DWORD kChunk = 256 * 1024;  // read and write unit; memory use does not grow with the file
constexpr size_t kPathMax = 260;

// The run's way back to its entry point: thrown by ExitCodecRun with the status. A long jump
// would skip the destructors of the frames in between.
struct CodecExit {
  int status;
};

// What names a file whatever the spelling of its path: the volume and file index, and the full
// long path as a second opinion for file systems that give no index.
struct FileId {
  bool indexed = false;
  DWORD volume = 0, high = 0, low = 0;
  std::string fullPath;
};

// The codec's process-wide state. A run starts from a fresh one, so that nothing of an earlier
// run in the same process leaks into the next.
struct CodecRunState {
  const char* prog = "gzip";
  int status = CODEC_OK;
  int decompress = 0;
  int toStdout = 0;
  std::string targetPath;
  std::string newPath;  // the new file beside the target; moved into place only on CODEC_OK
  HANDLE target = INVALID_HANDLE_VALUE;
  FileId targetId;  // the file already at the target path, or just its path when there is none
  FileId newId;
  std::vector<unsigned char> out;
  size_t outLen = 0;
  bool writeFailed = false;
  std::string envCopy;               // the GZIP text
  std::vector<std::string> envArgs;  // program name, GZIP words, given arguments
  bool signalsRouted = false;
  void (*prevInt)(int) = SIG_DFL;
  void (*prevTerm)(int) = SIG_DFL;
};

CodecRunState g_Run;
volatile std::sig_atomic_t g_Interrupted = 0;

[[noreturn]] void ExitCodecRun(int status);

// A windowed program has no standard error: the runtime gives -1 or -2 for its handle.
bool HaveStdErr() {
  intptr_t h = _get_osfhandle(StdStreamDescriptor(stderr));
  return h != -1 && h != -2;
}

void Diag(const std::string& name, const char* what) {
  if (HaveStdErr()) std::fprintf(stderr, "%s: %s: %s\n", g_Run.prog, name.c_str(), what);
}

void SystemDiag(const std::string& name) {
  if (HaveStdErr()) std::fprintf(stderr, "%s: %s: ", g_Run.prog, name.c_str());
  IgnoreSystemError(name.c_str());
  if (HaveStdErr()) std::fputc('\n', stderr);
}

void SetWarning() {
  if (g_Run.status == CODEC_OK) g_Run.status = CODEC_WARNING;
}

class HandleGuard {
 public:
  explicit HandleGuard(HANDLE h) : h_(h) {}
  ~HandleGuard() { CloseHandle(h_); }
  HandleGuard(const HandleGuard&) = delete;
  HandleGuard& operator=(const HandleGuard&) = delete;

 private:
  HANDLE h_;
};

std::string CanonicalPath(const std::string& path) {
  char full[MAX_PATH];
  DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  if (n == 0 || n >= MAX_PATH) return {};
  char longPath[MAX_PATH];
  DWORD m = GetLongPathNameA(full, longPath, MAX_PATH);
  if (m > 0 && m < MAX_PATH) return longPath;
  return full;
}

FileId IdOfHandle(HANDLE h, const std::string& path) {
  FileId id;
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(h, &info) && (info.nFileIndexHigh || info.nFileIndexLow)) {
    id.indexed = true;
    id.volume = info.dwVolumeSerialNumber;
    id.high = info.nFileIndexHigh;
    id.low = info.nFileIndexLow;
  }
  id.fullPath = CanonicalPath(path);
  return id;
}

bool SameFile(const FileId& a, const FileId& b) {
  if (a.indexed && b.indexed && a.volume == b.volume && a.high == b.high && a.low == b.low) return true;
  return !a.fullPath.empty() && lstrcmpiA(a.fullPath.c_str(), b.fullPath.c_str()) == 0;
}

extern "C" void OnCodecSignal(int sig) {
  g_Interrupted = 1;
  std::signal(sig, OnCodecSignal);  // the runtime resets the handler before calling it
}

void RouteSignals() {
  g_Run.prevInt = std::signal(SIGINT, OnCodecSignal);
  if (g_Run.prevInt == SIG_IGN) std::signal(SIGINT, SIG_IGN);
  g_Run.prevTerm = std::signal(SIGTERM, OnCodecSignal);
  if (g_Run.prevTerm == SIG_IGN) std::signal(SIGTERM, SIG_IGN);
  g_Run.signalsRouted = true;
}

void RestoreSignals() {
  if (!g_Run.signalsRouted) return;
  std::signal(SIGINT, g_Run.prevInt == SIG_ERR ? SIG_DFL : g_Run.prevInt);
  std::signal(SIGTERM, g_Run.prevTerm == SIG_ERR ? SIG_DFL : g_Run.prevTerm);
  g_Run.signalsRouted = false;
}

void CheckInterrupt() {
  if (g_Interrupted) {
    Diag(g_Run.targetPath, "interrupted");
    ExitCodecRun(CODEC_ERROR);
  }
}

bool FlushOut() {
  size_t done = 0;
  while (done < g_Run.outLen) {
    DWORD n = 0;
    DWORD want = static_cast<DWORD>(g_Run.outLen - done);
    if (!LexVaultCalls.WriteFile(g_Run.target, g_Run.out.data() + done, want, &n, nullptr) || n == 0) {
      g_Run.writeFailed = true;
      g_Run.outLen = 0;
      return false;
    }
    done += n;
  }
  g_Run.outLen = 0;
  return true;
}

// Free room at the end of the output buffer, writing the buffer out first when it is full.
unsigned char* OutSpace(uInt* avail) {
  if (g_Run.outLen == g_Run.out.size()) {
    CheckInterrupt();
    if (!FlushOut()) {
      SystemDiag(g_Run.targetPath);
      ExitCodecRun(CODEC_ERROR);
    }
  }
  *avail = static_cast<uInt>(g_Run.out.size() - g_Run.outLen);
  return g_Run.out.data() + g_Run.outLen;
}

[[noreturn]] void ExitCodecRun(int status) {
  if (g_Run.target != INVALID_HANDLE_VALUE) {
    if (!g_Run.writeFailed && g_Run.outLen > 0 && !FlushOut()) SystemDiag(g_Run.targetPath);
    if (g_Run.writeFailed) status = CODEC_ERROR;
    if (!CloseHandle(g_Run.target)) status = CODEC_ERROR;
    g_Run.target = INVALID_HANDLE_VALUE;
    if (status == CODEC_OK &&
        !MoveFileExA(g_Run.newPath.c_str(), g_Run.targetPath.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      SystemDiag(g_Run.targetPath);
      status = CODEC_ERROR;
    }
    if (status != CODEC_OK) DeleteFileA(g_Run.newPath.c_str());
    g_Run.newPath.clear();
  }
  RestoreSignals();
  g_Run.envArgs.clear();
  g_Run.envCopy.clear();
  throw CodecExit{status};
}

const char* BaseName(const char* path) {
  const char* base = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '/' || *p == '\\' || *p == ':') base = p + 1;
  }
  return base;
}

uLong UnixTime(const FILETIME& ft) {
  const uint64_t kEpoch = 116444736000000000ULL;  // 1970-01-01 in 100 ns units since 1601
  uint64_t t = (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  if (t < kEpoch) return 0;
  uint64_t secs = (t - kEpoch) / 10000000ULL;
  return secs > 0xFFFFFFFFULL ? 0 : static_cast<uLong>(secs);
}

[[noreturn]] void RefuseOption(const std::string& word) {
  Diag(word, "option not accepted");
  ExitCodecRun(CODEC_ERROR);
}

void ApplyOption(char letter, const std::string& word) {
  if (letter == 'c') {
    g_Run.toStdout = 1;
  } else if (letter == 'd') {
    g_Run.decompress = 1;
  } else {
    RefuseOption(word);  // every other letter of "ab:cdfhH?lLmMnNqrS:tvVZ123456789" and any unknown one
  }
}

// One word among the options. Operands, "-" and "--" are refused: an operand would become a further
// input written into the same target.
void ParseOptionWord(const std::string& word) {
  if (word.size() < 2 || word[0] != '-') RefuseOption(word);
  if (word[1] != '-') {
    for (size_t i = 1; i < word.size(); ++i) ApplyOption(word[i], word);
    return;
  }
  std::string name = word.substr(2);
  if (name.empty() || name.find('=') != std::string::npos) RefuseOption(word);
  static const struct {
    const char* name;
    char letter;
  } kLong[] = {{"to-stdout", 'c'}, {"stdout", 'c'}, {"decompress", 'd'}, {"uncompress", 'd'}};
  char found = 0;
  bool ambiguous = false;
  for (const auto& opt : kLong) {
    if (name == opt.name) {
      ApplyOption(opt.letter, word);
      return;
    }
    if (std::strncmp(opt.name, name.c_str(), name.size()) == 0) {
      if (found && found != opt.letter) ambiguous = true;
      found = opt.letter;
    }
  }
  if (!found || ambiguous) RefuseOption(word);
  ApplyOption(found, word);
}

bool Exists(const std::string& name, WIN32_FILE_ATTRIBUTE_DATA* fad) {
  return name.size() < kPathMax && GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, fad);
}

// A restore source that does not exist: a name with a compressed-file ending is not looked up
// further, others are tried with the endings a compressor adds.
bool FindCompressedName(std::string* name, WIN32_FILE_ATTRIBUTE_DATA* fad) {
  std::string lower = *name;
  AsciiToLower(&lower[0]);
  static const char* const kEndings[] = {".gz", ".z", ".taz", ".tgz", "-gz", "-z", "_z"};
  for (const char* ending : kEndings) {
    size_t n = std::strlen(ending);
    if (lower.size() > n && lower.compare(lower.size() - n, n, ending) == 0 && lower[lower.size() - n - 1] != '/') {
      return false;
    }
  }
  static const char* const kTries[] = {".gz", ".z", "-z", ".Z"};
  for (const char* add : kTries) {
    std::string candidate = *name + add;
    if (Exists(candidate, fad)) {
      *name = candidate;
      return true;
    }
  }
  return false;
}

void CompressInput(HANDLE in, const std::string& name, uLong mtime) {
  struct Deflater {
    z_stream zs{};
    bool ready = false;
    ~Deflater() {
      if (ready) deflateEnd(&zs);
    }
  } d;
  if (deflateInit2(&d.zs, 6, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK) ExitCodecRun(CODEC_ERROR);
  d.ready = true;
  gz_header header{};
  header.time = mtime;
  header.os = 11;
  header.name = reinterpret_cast<Bytef*>(const_cast<char*>(BaseName(name.c_str())));
  if (deflateSetHeader(&d.zs, &header) != Z_OK) ExitCodecRun(CODEC_ERROR);

  std::vector<unsigned char> buf(kChunk);
  int flush;
  do {
    CheckInterrupt();
    DWORD n = 0;
    if (!ReadFile(in, buf.data(), kChunk, &n, nullptr)) {
      SystemDiag(name);
      ExitCodecRun(CODEC_ERROR);
    }
    flush = n == 0 ? Z_FINISH : Z_NO_FLUSH;
    d.zs.next_in = buf.data();
    d.zs.avail_in = n;
    do {
      uInt avail;
      d.zs.next_out = OutSpace(&avail);
      d.zs.avail_out = avail;
      if (deflate(&d.zs, flush) == Z_STREAM_ERROR) ExitCodecRun(CODEC_ERROR);
      g_Run.outLen += avail - d.zs.avail_out;
    } while (d.zs.avail_out == 0);
  } while (flush != Z_FINISH);
}

class InputReader {
 public:
  InputReader(HANDLE h, const std::string& name) : h_(h), name_(name), buf_(kChunk) {}

  // Reads the next piece of the file; false at its end.
  bool Fill() {
    if (eof_) return false;
    CheckInterrupt();
    DWORD n = 0;
    if (!ReadFile(h_, buf_.data(), kChunk, &n, nullptr)) {
      SystemDiag(name_);
      ExitCodecRun(CODEC_ERROR);
    }
    pos_ = 0;
    len_ = n;
    eof_ = n == 0;
    return !eof_;
  }
  int Byte() {
    if (pos_ == len_ && !Fill()) return -1;
    return buf_[pos_++];
  }
  // A byte the member needs: the input ending here is an error.
  int Need() {
    int b = Byte();
    if (b < 0) {
      Diag(name_, "unexpected end of file");
      ExitCodecRun(CODEC_ERROR);
    }
    return b;
  }
  uint32_t Need32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(Need()) << (8 * i);
    return v;
  }
  bool More() { return pos_ < len_ || Fill(); }
  unsigned char* data() { return buf_.data() + pos_; }
  DWORD available() const { return len_ - pos_; }
  void Consume(DWORD n) { pos_ += n; }
  const std::string& name() const { return name_; }

 private:
  HANDLE h_;
  std::string name_;
  std::vector<unsigned char> buf_;
  DWORD pos_ = 0, len_ = 0;
  bool eof_ = false;
};

void InflateMember(InputReader& in) {
  struct Inflater {
    z_stream zs{};
    bool ready = false;
    ~Inflater() {
      if (ready) inflateEnd(&zs);
    }
  } d;
  if (inflateInit2(&d.zs, -15) != Z_OK) ExitCodecRun(CODEC_ERROR);
  d.ready = true;
  uLong crc = crc32(0, Z_NULL, 0);
  uint32_t size = 0;
  int ret = Z_OK;
  while (ret != Z_STREAM_END) {
    if (in.available() == 0 && !in.Fill()) {
      Diag(in.name(), "unexpected end of file");
      ExitCodecRun(CODEC_ERROR);
    }
    d.zs.next_in = in.data();
    d.zs.avail_in = in.available();
    for (;;) {
      uInt avail;
      unsigned char* out = OutSpace(&avail);
      d.zs.next_out = out;
      d.zs.avail_out = avail;
      ret = inflate(&d.zs, Z_NO_FLUSH);
      uInt got = avail - d.zs.avail_out;
      if (got) {
        crc = crc32(crc, out, got);
        size += got;
        g_Run.outLen += got;
      }
      if (ret == Z_NEED_DICT || ret == Z_DATA_ERROR || ret == Z_MEM_ERROR || ret == Z_STREAM_ERROR) {
        Diag(in.name(), "invalid compressed data--format violated");
        ExitCodecRun(CODEC_ERROR);
      }
      if (ret == Z_STREAM_END) break;
      if (d.zs.avail_in == 0 && d.zs.avail_out != 0) break;  // needs the next piece of input
    }
    in.Consume(in.available() - d.zs.avail_in);
  }
  uint32_t storedCrc = in.Need32();
  uint32_t storedSize = in.Need32();
  if (storedCrc != static_cast<uint32_t>(crc)) {
    Diag(in.name(), "invalid compressed data--crc error");
    ExitCodecRun(CODEC_ERROR);
  }
  if (storedSize != size) {
    Diag(in.name(), "invalid compressed data--length error");
    ExitCodecRun(CODEC_ERROR);
  }
}

void DecompressInput(HANDLE h, const std::string& name) {
  InputReader in(h, name);
  for (int member = 0;; ++member) {
    int b0 = in.Byte();
    int b1 = b0 < 0 ? -1 : in.Byte();
    if (b1 < 0) {
      Diag(name, "unexpected end of file");
      ExitCodecRun(CODEC_ERROR);
    }
    if (b0 != 0x1F || b1 != 0x8B) {
      if (member == 0) {
        Diag(name, "not in gzip format");
        g_Run.status = CODEC_ERROR;
      } else {
        Diag(name, "decompression OK, trailing garbage ignored");
        SetWarning();
      }
      return;
    }
    if (in.Need() != 8) {
      Diag(name, "unknown method");
      g_Run.status = CODEC_ERROR;
      return;
    }
    int flags = in.Need();
    if (flags & (0x20 | 0x02 | 0x40 | 0x80)) {
      Diag(name, "header flags not supported");
      g_Run.status = CODEC_ERROR;
      return;
    }
    for (int i = 0; i < 6; ++i) in.Need();  // MTIME, XFL, OS
    if (flags & 0x04) {
      int len = in.Need();
      len |= in.Need() << 8;
      while (len-- > 0) in.Need();
    }
    if (flags & 0x08) {
      while (in.Need() != 0) {
      }
    }
    if (flags & 0x10) {
      while (in.Need() != 0) {
      }
    }
    InflateMember(in);
    if (!in.More()) return;
  }
}

void ProcessInput(std::string name) {
  WIN32_FILE_ATTRIBUTE_DATA fad;
  if (!Exists(name, &fad)) {
    DWORD err = name.size() >= kPathMax ? ERROR_FILENAME_EXCED_RANGE : GetLastError();
    bool missing = err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND;
    if (!g_Run.decompress || !missing || !FindCompressedName(&name, &fad)) {
      SystemDiag(name);
      g_Run.status = CODEC_ERROR;
      return;
    }
  }
  if (fad.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    Diag(name, "is a directory -- ignored");
    SetWarning();
    return;
  }
  HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    SystemDiag(name);
    g_Run.status = CODEC_ERROR;
    return;
  }
  HandleGuard guard(h);
  if (GetFileType(h) != FILE_TYPE_DISK) {
    Diag(name, "not a regular file -- ignored");
    SetWarning();
    return;
  }
  FileId id = IdOfHandle(h, name);
  if (SameFile(id, g_Run.targetId) || SameFile(id, g_Run.newId)) {
    Diag(name, "source and target are the same file");
    g_Run.status = CODEC_ERROR;
    return;
  }
  if (g_Run.decompress) {
    DecompressInput(h, name);
  } else {
    CompressInput(h, name, UnixTime(fad.ftLastWriteTime));
  }
}

[[noreturn]] void CodecMain(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
  DWORD need = GetEnvironmentVariableA("GZIP", nullptr, 0);
  if (need > 0) {
    std::string env(need, '\0');
    DWORD got = GetEnvironmentVariableA("GZIP", &env[0], need);
    env.resize(got < need ? got : 0);
    g_Run.envCopy = env;
    std::vector<std::string> words;
    size_t pos = 0;
    while ((pos = env.find_first_not_of(" \t", pos)) != std::string::npos) {
      size_t end = env.find_first_of(" \t", pos);
      words.push_back(env.substr(pos, end - pos));
      pos = end;
    }
    if (!words.empty()) {
      g_Run.envArgs.push_back(args[0]);
      g_Run.envArgs.insert(g_Run.envArgs.end(), words.begin(), words.end());
      g_Run.envArgs.insert(g_Run.envArgs.end(), args.begin() + 1, args.end());
      args = g_Run.envArgs;
    }
  }
  RouteSignals();
  const char* prog = BaseName(args[0].c_str());
  if (std::strncmp(prog, "un", 2) == 0 || std::strncmp(prog, "gun", 3) == 0) g_Run.decompress = 1;
  if (args.size() < 2) ExitCodecRun(CODEC_ERROR);
  // The last word is the caller's source: always a file name, never read as an option.
  for (size_t i = 1; i + 1 < args.size(); ++i) ParseOptionWord(args[i]);
  ProcessInput(args.back());
  ExitCodecRun(g_Run.status);
}

// The `i`-th name for the new file beside a target: the target's full path with the last characters
// of its file name (which starts at `nameStart`) replaced by "~" and a counter, or by one letter or
// digit for a one-character name. It is exactly as long as the target's path, so it fits wherever
// the target fits, and it never splits a double-byte character nor ends in a dot or blank. False
// when the replaced characters cannot hold the counter `i`.
bool NameBeside(const std::string& target, size_t nameStart, unsigned i, std::string* name) {
  static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  constexpr unsigned kBase = 36;
  constexpr size_t kTagBytes = 3;
  size_t cut = nameStart;  // the last character start with at least kTagBytes bytes from it to the end
  for (size_t p = nameStart; p < target.size();) {
    if (p + kTagBytes <= target.size()) cut = p;
    p += IsDBCSLeadByte(static_cast<BYTE>(target[p])) && p + 1 < target.size() ? 2 : 1;
  }
  size_t width = target.size() - cut;
  if (width == 0) return false;
  std::string tag(width, '~');
  unsigned rest = i;
  for (size_t k = width; k-- > (width == 1 ? 0 : 1);) {
    tag[k] = kDigits[rest % kBase];
    rest /= kBase;
  }
  if (rest != 0) return false;
  *name = target.substr(0, cut) + tag;
  return true;
}

// Creates the new file that a run writes before it replaces its target (a full path whose file name
// starts at `nameStart`): exclusively, under the first name of NameBeside that is not taken. Taken
// names, the target's own among them, are passed over. INVALID_HANDLE_VALUE when every name is taken
// or the folder takes no new file.
HANDLE CreateFileBeside(const std::string& target, size_t nameStart, std::string* newPath) {
  constexpr unsigned kMaxNames = 36 * 36;
  std::string targetLower = target;
  AsciiToLower(&targetLower[0]);
  std::string name;
  for (unsigned i = 0; i < kMaxNames && NameBeside(target, nameStart, i, &name); ++i) {
    std::string lower = name;
    if (AsciiToLower(&lower[0]) == targetLower) continue;
    HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      *newPath = name;
      return h;
    }
    if (GetFileAttributesA(name.c_str()) == INVALID_FILE_ATTRIBUTES) break;  // not taken: the folder refuses
  }
  return INVALID_HANDLE_VALUE;
}

// Opens the new file beside the target. An existing target must be a file this run could replace.
bool OpenTarget(const char* target) {
  if (!target || !*target || std::strlen(target) >= kPathMax) return false;
  g_Run.targetPath = target;
  // Said explicitly: a process with administrative rights may open a read-only file for writing.
  DWORD attributes = GetFileAttributesA(target);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    return false;
  }
  HANDLE h = CreateFileA(target, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    bool disk = GetFileType(h) == FILE_TYPE_DISK;
    g_Run.targetId = IdOfHandle(h, target);
    CloseHandle(h);
    if (!disk) return false;
  } else if (GetLastError() == ERROR_FILE_NOT_FOUND) {
    g_Run.targetId.fullPath = CanonicalPath(target);
  } else {
    return false;
  }
  char full[MAX_PATH];
  char* filePart = nullptr;
  DWORD n = GetFullPathNameA(target, MAX_PATH, full, &filePart);
  if (n == 0 || n >= MAX_PATH || !filePart || filePart == full) return false;
  g_Run.target = CreateFileBeside(full, static_cast<size_t>(filePart - full), &g_Run.newPath);
  if (g_Run.target == INVALID_HANDLE_VALUE) return false;
  g_Run.newId = IdOfHandle(g_Run.target, g_Run.newPath);
  g_Run.out.resize(kChunk);
  return true;
}

[[noreturn]] void RunCodecToFile(const char* prog, const char* source, const char* target) {
  g_Run = CodecRunState();
  g_Run.prog = prog;
  g_Interrupted = 0;
  if (!OpenTarget(target)) {
    Diag(target ? target : "", "cannot create the target");
    throw CodecExit{CODEC_ERROR};  // the source is not looked at
  }
  char stdoutOption[] = "-c";
  char* argv[] = {const_cast<char*>(prog), stdoutOption, const_cast<char*>(source)};
  CodecMain(3, argv);
}

int RunEntry(const char* prog, const char* source, const char* target) {
  int status = CODEC_ERROR;
  try {
    RunCodecToFile(prog, source ? source : "", target);
  } catch (const CodecExit& e) {
    status = e.status;
  } catch (...) {
    try {
      ExitCodecRun(CODEC_ERROR);
    } catch (const CodecExit& e) {
      status = e.status;
    }
  }
  return status == CODEC_OK ? 0 : -1;
}

}  // namespace

int CompressFileTo(const char* source, const char* target) { return RunEntry("gzip", source, target); }

int DecompressFileTo(const char* source, const char* target) { return RunEntry("gunzip", source, target); }

char* AsciiToLower(char* text) {
  for (char* p = text; *p; ++p) {
    if (*p >= 'A' && *p <= 'Z') *p = static_cast<char>(*p - 'A' + 'a');
  }
  return text;
}

int StdStreamDescriptor(FILE* stream) {
  if (stream == stdin) return 0;
  if (stream == stdout) return 1;
  if (stream == stderr) return 2;
  return _fileno(stream);
}

void IgnoreSystemError(const char*) {}
