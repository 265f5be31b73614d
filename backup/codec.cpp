// The run around the member format of gzmember.h, built as gzip's command line running in-process:
// the GZIP words and the options, the source and its missing-name lookup, the new file beside the
// target and its move into place, signals, and the statuses 16/17/18 that the entry points turn
// into 0 or -1.
#include "codec.h"

#include <io.h>

#include <csignal>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "calls.h"
#include "filebeside.h"
#include "gzmember.h"

namespace {

constexpr size_t kPathMax = 260;

// The run's way back to its entry point: thrown by ExitCodecRun with the status. A long jump
// would skip the destructors of the frames in between.
struct CodecExit {
  int status;
};

// The codec's process-wide state. A run starts from a fresh one, so that nothing of an earlier
// run in the same process leaks into the next.
struct CodecRunState {
  const char* prog = "gzip";
  int status = CODEC_OK;
  int decompress = 0;
  std::string targetPath;
  krev::NewFileBeside target;  // the new file beside the target; moved into place only on CODEC_OK
  krev::FileId targetId;       // the file already at the target path, or just its path when there is none
  krev::FileId newId;
  bool signalsRouted = false;
  void (*prevInt)(int) = SIG_DFL;
  void (*prevTerm)(int) = SIG_DFL;
};

CodecRunState g_Run;
volatile std::sig_atomic_t g_Interrupted = 0;

// ---- Diagnostics and status

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

// An error always stands; a warning only while nothing went wrong before it.
void Raise(int status) {
  if (status == CODEC_ERROR || (status == CODEC_WARNING && g_Run.status == CODEC_OK)) g_Run.status = status;
}

// ---- Files

class HandleGuard {
 public:
  explicit HandleGuard(HANDLE h) : h_(h) {}
  ~HandleGuard() { CloseHandle(h_); }
  HandleGuard(const HandleGuard&) = delete;
  HandleGuard& operator=(const HandleGuard&) = delete;

 private:
  HANDLE h_;
};

// ---- The target: a new file beside it, put in its place only when the run succeeds

// Opens the new file beside the target. An existing target must be a file this run could replace.
bool OpenTarget(const char* target) {
  if (!target) return false;
  g_Run.targetPath = target;
  if (!g_Run.target.Open(target, &g_Run.targetId)) return false;
  g_Run.newId = krev::IdOfHandle(g_Run.target.Handle(), g_Run.target.NewPath());
  return true;
}

// Ends the new file with the run's status: closed and moved over the target on CODEC_OK, deleted
// otherwise. A close or move that fails makes the run an error.
int CloseTarget(int status) {
  if (!g_Run.target.IsOpen()) return status;
  if (status != CODEC_OK) {
    g_Run.target.Abandon();
    return status;
  }
  switch (g_Run.target.Commit()) {
    case krev::NewFileBeside::Result::Replaced:
      return CODEC_OK;
    case krev::NewFileBeside::Result::NotMoved:
      SystemDiag(g_Run.targetPath);
      return CODEC_ERROR;
    case krev::NewFileBeside::Result::NotClosed:
      break;
  }
  return CODEC_ERROR;
}

// The new file as the member layer writes it. A signal stops the writing.
class TargetFile final : public GzOutput {
 public:
  bool Write(const unsigned char* data, unsigned size) override {
    return !g_Interrupted && g_Run.target.Write(data, size, LexVaultCalls.WriteFile);
  }
};

// ---- Signals and the end of a run

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

[[noreturn]] void ExitCodecRun(int status) {
  status = CloseTarget(status);
  RestoreSignals();
  throw CodecExit{status};
}

// ---- Options

[[noreturn]] void RefuseOption(const std::string& word) {
  Diag(word, "option not accepted");
  ExitCodecRun(CODEC_ERROR);
}

void ApplyOption(char letter, const std::string& word) {
  if (letter == 'c') return;  // to standard output: the run always writes into its target
  if (letter == 'd') {
    g_Run.decompress = 1;
    return;
  }
  RefuseOption(word);  // every other letter of "ab:cdfhH?lLmMnNqrS:tvVZ123456789" and any unknown one
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

// The words of the GZIP environment variable, split at blanks and tabs.
std::vector<std::string> EnvironmentWords() {
  std::vector<std::string> words;
  DWORD need = GetEnvironmentVariableA("GZIP", nullptr, 0);
  if (need == 0) return words;
  std::string env(need, '\0');
  DWORD got = GetEnvironmentVariableA("GZIP", &env[0], need);
  env.resize(got < need ? got : 0);
  size_t pos = 0;
  while ((pos = env.find_first_not_of(" \t", pos)) != std::string::npos) {
    size_t end = env.find_first_of(" \t", pos);
    words.push_back(env.substr(pos, end - pos));
    pos = end;
  }
  return words;
}

// ---- The input

const char* BaseName(const char* path) {
  const char* base = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '/' || *p == '\\' || *p == ':') base = p + 1;
  }
  return base;
}

uint32_t UnixTime(const FILETIME& ft) {
  const uint64_t kEpoch = 116444736000000000ULL;  // 1970-01-01 in 100 ns units since 1601
  uint64_t t = (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  if (t < kEpoch) return 0;
  uint64_t secs = (t - kEpoch) / 10000000ULL;
  return secs > 0xFFFFFFFFULL ? 0 : static_cast<uint32_t>(secs);
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

// The source as the member layer reads it. A signal stops the reading.
class SourceFile final : public GzInput {
 public:
  explicit SourceFile(HANDLE h) : h_(h) {}
  bool Read(unsigned char* buffer, unsigned size, unsigned* got) override {
    DWORD n = 0;
    if (g_Interrupted || !ReadFile(h_, buffer, size, &n, nullptr)) return false;
    *got = n;
    return true;
  }

 private:
  HANDLE h_;
};

struct Outcome {
  int status;
  const char* text;  // the diagnostic line; nullptr: none, or a system error the codec does not describe
};

// What a result of the member layer means for the run.
Outcome OutcomeOf(GzResult result) {
  static const struct {
    GzResult result;
    Outcome outcome;
  } kOutcomes[] = {
      {GzResult::Ok, {CODEC_OK, nullptr}},
      {GzResult::TrailingData, {CODEC_WARNING, "decompression OK, trailing garbage ignored"}},
      {GzResult::NotGzip, {CODEC_ERROR, "not in gzip format"}},
      {GzResult::Truncated, {CODEC_ERROR, "unexpected end of file"}},
      {GzResult::UnknownMethod, {CODEC_ERROR, "unknown method"}},
      {GzResult::UnsupportedFlags, {CODEC_ERROR, "header flags not supported"}},
      {GzResult::BadData, {CODEC_ERROR, "invalid compressed data--format violated"}},
      {GzResult::BadCrc, {CODEC_ERROR, "invalid compressed data--crc error"}},
      {GzResult::BadLength, {CODEC_ERROR, "invalid compressed data--length error"}},
      {GzResult::ReadFailed, {CODEC_ERROR, nullptr}},
      {GzResult::WriteFailed, {CODEC_ERROR, nullptr}},
      {GzResult::ZlibFailed, {CODEC_ERROR, "out of memory"}},
  };
  for (const auto& row : kOutcomes) {
    if (row.result == result) return row.outcome;
  }
  return {CODEC_ERROR, nullptr};
}

void Conclude(GzResult result, const std::string& source) {
  Outcome outcome = OutcomeOf(result);
  if (outcome.status != CODEC_OK && g_Interrupted) {
    Diag(g_Run.targetPath, "interrupted");
  } else if (result == GzResult::ReadFailed) {
    SystemDiag(source);
  } else if (result == GzResult::WriteFailed) {
    SystemDiag(g_Run.targetPath);
  } else if (outcome.text) {
    Diag(source, outcome.text);
  }
  Raise(outcome.status);
}

void ProcessInput(std::string name) {
  WIN32_FILE_ATTRIBUTE_DATA fad;
  if (!Exists(name, &fad)) {
    DWORD err = name.size() >= kPathMax ? ERROR_FILENAME_EXCED_RANGE : GetLastError();
    bool missing = err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND;
    if (!g_Run.decompress || !missing || !FindCompressedName(&name, &fad)) {
      SystemDiag(name);
      Raise(CODEC_ERROR);
      return;
    }
  }
  if (fad.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    Diag(name, "is a directory -- ignored");
    Raise(CODEC_WARNING);
    return;
  }
  HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    SystemDiag(name);
    Raise(CODEC_ERROR);
    return;
  }
  HandleGuard guard(h);
  if (GetFileType(h) != FILE_TYPE_DISK) {
    Diag(name, "not a regular file -- ignored");
    Raise(CODEC_WARNING);
    return;
  }
  krev::FileId id = krev::IdOfHandle(h, name);
  if (krev::SameFile(id, g_Run.targetId) || krev::SameFile(id, g_Run.newId)) {
    Diag(name, "source and target are the same file");
    Raise(CODEC_ERROR);
    return;
  }
  SourceFile in(h);
  TargetFile out;
  GzResult result = g_Run.decompress
                        ? ReadGzipMembers(in, out)
                        : WriteGzipMember(in, out, BaseName(name.c_str()), UnixTime(fad.ftLastWriteTime));
  Conclude(result, name);
}

// ---- The run

[[noreturn]] void CodecMain(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
  if (!args.empty()) {
    std::vector<std::string> words = EnvironmentWords();
    args.insert(args.begin() + 1, words.begin(), words.end());
  }
  RouteSignals();
  if (args.size() < 2) ExitCodecRun(CODEC_ERROR);
  const char* prog = BaseName(args[0].c_str());
  if (std::strncmp(prog, "un", 2) == 0 || std::strncmp(prog, "gun", 3) == 0) g_Run.decompress = 1;
  // The last word is the caller's source: always a file name, never read as an option.
  for (size_t i = 1; i + 1 < args.size(); ++i) ParseOptionWord(args[i]);
  ProcessInput(args.back());
  ExitCodecRun(g_Run.status);
}

[[noreturn]] void RunCodecToFile(const char* prog, const char* source, const char* target) {
  g_Run = CodecRunState();
  g_Run.prog = prog;
  g_Interrupted = 0;
  if (!OpenTarget(target)) {
    Diag(target ? target : "", "cannot create the target");
    ExitCodecRun(CODEC_ERROR);  // the source is not looked at
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
