#include "cfglogic.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace krevcfg {

std::vector<std::string> SplitCommandLine(const char* cmdline) {
  std::vector<std::string> params;
  if (!cmdline) return params;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(cmdline);
  for (;;) {
    while (*p && *p <= ' ') ++p;
    if (!*p) break;
    std::string param;
    bool quoted = false;
    // GBK trail bytes are 0x40..0xFE, so neither a blank nor a quote can hide inside a character.
    while (*p && (quoted || *p > ' ')) {
      if (*p == '"') {
        quoted = !quoted;
      } else {
        param += static_cast<char>(*p);
      }
      ++p;
    }
    params.push_back(param);
  }
  return params;
}

bool WantsVersionPage(const char* cmdline) {
  std::vector<std::string> params = SplitCommandLine(cmdline);
  return params.size() >= 2 && params[1] == "?";
}

bool DosDateTimeToSystemTime(WORD dosDate, WORD dosTime, SYSTEMTIME* out) {
  int day = dosDate & 0x1F;
  int month = (dosDate >> 5) & 0x0F;
  int year = 1980 + (dosDate >> 9);
  int second = (dosTime & 0x1F) * 2;
  int minute = (dosTime >> 5) & 0x3F;
  int hour = dosTime >> 11;
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1) return false;
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  int monthDays = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
  if (day > monthDays || hour > 23 || minute > 59 || second > 59) return false;
  SYSTEMTIME st = {};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  st.wHour = static_cast<WORD>(hour);
  st.wMinute = static_cast<WORD>(minute);
  st.wSecond = static_cast<WORD>(second);
  // The day of the week is filled by a round trip through a FILETIME.
  FILETIME ft;
  if (SystemTimeToFileTime(&st, &ft)) FileTimeToSystemTime(&ft, &st);
  *out = st;
  return true;
}

std::string FormatDateTime(const SYSTEMTIME& st) {
  char date[128];
  if (!GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date)) return {};
  std::string text = date;
  if (st.wHour == 0 && st.wMinute == 0 && st.wSecond == 0) return text;
  char time[128];
  // Flags 0: the user's long time format.
  if (!GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, sizeof time)) return {};
  return text + " " + time;
}

std::string WordlibTimeText(const std::string& path) {
  static const char kUnknown[] = "未知";
  WIN32_FILE_ATTRIBUTE_DATA data;
  // Looked up by its exact name: a wildcard in the path must not match some other file.
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return kUnknown;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return kUnknown;
  FILETIME local;
  WORD dosDate = 0, dosTime = 0;
  if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local)) return kUnknown;
  if (!FileTimeToDosDateTime(&local, &dosDate, &dosTime)) return kUnknown;
  SYSTEMTIME st;
  if (!DosDateTimeToSystemTime(dosDate, dosTime, &st)) return kUnknown;
  std::string text = FormatDateTime(st);
  return text.empty() ? kUnknown : text;
}

std::string FontHeightText(int height) {
  return std::to_string(height) + "个像素";
}

int ParseFontHeight(const std::string& text) {
  std::string head = text.substr(0, 2);
  size_t i = 0;
  while (i < head.size() && head[i] == ' ') ++i;
  bool negative = false;
  if (i < head.size() && (head[i] == '+' || head[i] == '-')) negative = head[i++] == '-';
  int value = 16;
  if (i < head.size()) {
    int v = 0;
    size_t j = i;
    while (j < head.size() && head[j] >= '0' && head[j] <= '9') v = v * 10 + (head[j++] - '0');
    if (j > i && j == head.size()) value = negative ? -v : v;
  }
  return std::min(32, std::max(12, value));
}

int FindFaceIndex(const std::vector<std::string>& items, const std::string& face) {
  int found = -1;
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i] == face) found = static_cast<int>(i);
  }
  return found;
}

bool ReadFileVersionText(const std::string& path, const char* entry, std::string* text) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  if (size == 0) return false;
  std::unique_ptr<char[]> block(new char[size]());
  GetFileVersionInfoA(path.c_str(), 0, size, block.get());
  char* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.get(), entry, reinterpret_cast<void**>(&value), &length) || !value) {
    return false;
  }
  // The text ends at its first zero byte, and never beyond the block it lies in.
  const char* blockEnd = block.get() + size;
  if (value >= block.get() && value < blockEnd) {
    const char* end = static_cast<const char*>(std::memchr(value, 0, blockEnd - value));
    *text = std::string(static_cast<const char*>(value), end ? end : blockEnd);
  } else {
    *text = value;
  }
  return true;
}

bool FileExistsAt(const std::string& path) {
  DWORD attr = GetFileAttributesA(path.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExistsAt(const std::string& path) {
  DWORD attr = GetFileAttributesA(path.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

void SeedDefinitionFiles(const std::string& installDir, const std::vector<SeedFile>& files) {
  for (const SeedFile& f : files) {
    if (FileExistsAt(f.livePath)) continue;
    CopyFileA((installDir + f.seedName).c_str(), f.livePath.c_str(), TRUE);
  }
}

void EnsureDirectory(const std::string& dir) {
  if (!DirectoryExistsAt(dir)) CreateDirectoryA(dir.c_str(), nullptr);
}

bool IsScrollAnchorClass(const std::string& className) {
  return !className.empty() &&
         std::strstr("TPanel, TPageControl, TScrollBox", className.c_str()) != nullptr;
}

int ClampScrollPosition(int position, int contentHeight, int visibleHeight) {
  int range = std::max(0, contentHeight - visibleHeight);
  return std::min(range, std::max(0, position));
}

}  // namespace krevcfg
