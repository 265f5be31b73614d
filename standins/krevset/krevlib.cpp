#include "krevlib.h"

#include <windows.h>

#include <set>
#include <vector>

#include "filebeside.h"

namespace krevset {
namespace {

const char kLibHeader[] = "KREVLEX 1";

bool ReadWhole(const std::string& path, std::string& bytes) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  bytes.clear();
  char chunk[4096];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(f, chunk, sizeof chunk, &got, nullptr) != 0) && got > 0)
    bytes.append(chunk, got);
  CloseHandle(f);
  return ok;
}

// Written beside the target and moved over it, so a failed write never leaves half a file; a target
// that cannot be replaced is refused before anything is written.
bool WriteWhole(const std::string& path, const std::string& bytes) {
  krev::NewFileBeside file;
  return file.Open(path) && file.Write(bytes.data(), DWORD(bytes.size())) &&
         file.Commit() == krev::NewFileBeside::Result::Replaced;
}

bool FileExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// The user data directory is the one folder the library creates itself.
void EnsureUserDataDir(const std::string& target, const std::string& userDataDir) {
  if (!userDataDir.empty() && target.compare(0, userDataDir.size(), userDataDir) == 0)
    CreateDirectoryA(userDataDir.c_str(), nullptr);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return std::string();
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

// Number of GBK double-byte characters in `word`, or 0 when it holds anything else.
size_t GbkCharCount(const std::string& word) {
  size_t count = 0;
  for (size_t i = 0; i < word.size(); i += 2) {
    unsigned char lead = word[i];
    if (lead < 0x81 || lead > 0xFE || i + 1 >= word.size()) return 0;
    unsigned char trail = word[i + 1];
    if (trail < 0x40 || trail > 0xFE || trail == 0x7F) return 0;
    ++count;
  }
  return count;
}

// Syllables of lower-case letters joined by apostrophes; 0 when malformed.
size_t SyllableCount(const std::string& pinyin) {
  if (pinyin.empty() || pinyin.front() == '\'' || pinyin.back() == '\'') return 0;
  size_t count = 1;
  for (size_t i = 0; i < pinyin.size(); ++i) {
    char c = pinyin[i];
    if (c == '\'') {
      if (pinyin[i - 1] == '\'') return 0;
      ++count;
    } else if (c < 'a' || c > 'z') {
      return 0;
    }
  }
  return count;
}

}  // namespace

bool GenerateUserWordlib(const std::string& source, const std::string& target,
                         const std::string& userDataDir) {
  if (source.empty() || target.empty() || !FileExists(source)) return false;
  EnsureUserDataDir(target, userDataDir);
  return CopyFileA(source.c_str(), target.c_str(), FALSE) != 0;
}

bool ImportWordList(const std::string& list, const std::string& wordlib, const std::string& log) {
  std::string text;
  if (list.empty() || wordlib.empty() || !ReadWhole(list, text)) return false;

  std::string library;
  if (FileExists(wordlib)) {
    // Anything but our own format is left alone rather than appended to.
    if (!ReadWhole(wordlib, library) || library.compare(0, sizeof kLibHeader - 1, kLibHeader) != 0)
      return false;
    if (library.back() != '\n') library += "\r\n";
  } else {
    library = std::string(kLibHeader) + "\r\n";
  }

  std::set<std::string> known;
  const std::vector<std::string> existing = SplitLines(library);
  for (size_t i = 1; i < existing.size(); ++i) known.insert(existing[i]);

  size_t added = 0, present = 0;
  std::string rejected;
  size_t rejectedCount = 0;
  const std::vector<std::string> lines = SplitLines(text);
  for (size_t n = 0; n < lines.size(); ++n) {
    const std::string line = Trim(lines[n]);
    if (line.empty() || line[0] == '#' || line[0] == ';') continue;
    size_t gap = line.find_first_of(" \t");
    std::string word = line.substr(0, gap);
    std::string pinyin = gap == std::string::npos ? std::string() : Trim(line.substr(gap));
    size_t chars = GbkCharCount(word);
    if (chars == 0 || SyllableCount(pinyin) != chars) {
      ++rejectedCount;
      rejected += "第 " + std::to_string(n + 1) + " 行：" + line + "\r\n";
      continue;
    }
    const std::string entry = word + "\t" + pinyin;
    if (!known.insert(entry).second) {
      ++present;
      continue;
    }
    library += entry + "\r\n";
    ++added;
  }

  // The log's folder is the user data directory, which also holds the per-user library.
  size_t slash = log.find_last_of('\\');
  if (slash != std::string::npos) CreateDirectoryA(log.substr(0, slash + 1).c_str(), nullptr);
  if (added > 0 && !WriteWhole(wordlib, library)) return false;
  if (added == 0 && !FileExists(wordlib) && !WriteWhole(wordlib, library)) return false;

  std::string report = "词条导入记录\r\n";
  report += "导入文件：" + list + "\r\n";
  report += "用户词库：" + wordlib + "\r\n";
  report += "新增词条：" + std::to_string(added) + "\r\n";
  report += "已有词条：" + std::to_string(present) + "\r\n";
  report += "无法识别的行：" + std::to_string(rejectedCount) + "\r\n";
  report += rejected;
  return WriteWhole(log, report);
}

bool CompileSpScheme(const std::string& ini, const std::string& ksc) {
  std::string text;
  if (!ReadWhole(ini, text)) return false;

  enum Section { None, Scheme, Initials, Finals, Zero } section = None;
  std::string name;
  struct Entry {
    unsigned char kind;
    std::string part, keys;
  };
  std::vector<Entry> entries;
  bool anyFinal = false;

  for (const std::string& raw : SplitLines(text)) {
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[') {
      if (line == "[scheme]") section = Scheme;
      else if (line == "[initials]") section = Initials;
      else if (line == "[finals]") section = Finals;
      else if (line == "[zero]") section = Zero;
      else return false;
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string::npos || section == None) return false;
    const std::string part = Trim(line.substr(0, eq));
    const std::string value = Trim(line.substr(eq + 1));
    if (section == Scheme) {
      if (part != "name" || value.size() > 255) return false;
      name = value;
      continue;
    }
    if (part.empty() || part.size() > 6) return false;
    for (char c : part)
      if (c < 'a' || c > 'z') return false;
    const size_t want = section == Zero ? 2 : 1;
    if (value.size() != want) return false;
    for (char c : value)
      if (!((c >= 'a' && c <= 'z') || c == ';')) return false;
    const unsigned char kind = section == Initials ? 1 : section == Finals ? 2 : 3;
    bool replaced = false;
    for (Entry& e : entries)
      if (e.kind == kind && e.part == part) {
        e.keys = value;
        replaced = true;
      }
    if (!replaced) entries.push_back({kind, part, value});
    anyFinal = anyFinal || section == Finals;
  }
  if (!anyFinal || entries.size() > 0xFFFF) return false;

  std::string out = "KSC1";
  out += static_cast<char>(name.size());
  out += name;
  out += static_cast<char>(entries.size() & 0xFF);
  out += static_cast<char>(entries.size() >> 8);
  for (const Entry& e : entries) {
    out += static_cast<char>(e.kind);
    out += static_cast<char>(e.part.size());
    out += e.part;
    out += static_cast<char>(e.keys.size());
    out += e.keys;
  }
  return WriteWhole(ksc, out);
}

}  // namespace krevset
