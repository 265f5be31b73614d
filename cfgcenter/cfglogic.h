// The settings centre's rules that need no window: the start-page parameter, the word-library time
// text, the font-height text, the font lists, file versions, first-start seeding and the settings
// page's scroll arithmetic. The form files call these; the tests call them directly.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace krevcfg {

// Parameters of a command line as the program sees them: separated by blanks (any byte up to ' '),
// double quotes group blanks into a parameter and are removed. The first entry is the program.
std::vector<std::string> SplitCommandLine(const char* cmdline);

// True when the first parameter after the program name is exactly "?": the version page starts.
bool WantsVersionPage(const char* cmdline);

// A DOS date and time (two-second resolution) as calendar fields; false when they form no valid
// date and time (month 0, 31 February, hour 24 and the like).
bool DosDateTimeToSystemTime(WORD dosDate, WORD dosTime, SYSTEMTIME* out);

// Short date, one blank, long time, from the user's regional settings; the date alone at midnight.
// Empty when the system cannot format the value.
std::string FormatDateTime(const SYSTEMTIME& st);

// Last-write time of the file at `path` in local time, rounded down to even seconds, as
// FormatDateTime gives it; "未知" when the path is missing, is a directory, or the time cannot be
// converted.
std::string WordlibTimeText(const std::string& path);

// "16个像素" for 16.
std::string FontHeightText(int height);

// The font height a text of the editable size box stands for: its first two bytes as an integer
// (leading blanks and a sign allowed), 16 when they form none, clamped to 12..32.
int ParseFontHeight(const std::string& text);

// Index of the last item equal to `face` byte for byte (letter case counts); -1 when none is.
int FindFaceIndex(const std::vector<std::string>& items, const std::string& face);

// Text of `entry` (for example "StringFileInfo\080404b0\FileVersion") in the version information of
// the file at `path`, up to its first zero byte. False when the file has no version information or
// not that exact entry; `text` is then untouched.
bool ReadFileVersionText(const std::string& path, const char* entry, std::string* text);

// One live definition file and the name of its seed in the installation directory.
struct SeedFile {
  std::string livePath;
  const char* seedName;
};

// Copies each seed whose live file is missing (a directory at the path counts as missing); an
// existing file is never overwritten. Results are ignored.
void SeedDefinitionFiles(const std::string& installDir, const std::vector<SeedFile>& files);

// Creates the user data directory when no directory exists there (one level, result ignored).
void EnsureDirectory(const std::string& dir);

bool FileExistsAt(const std::string& path);       // a file, not a directory
bool DirectoryExistsAt(const std::string& path);

// Class names at which the walk up from a control stops when scrolling to it.
bool IsScrollAnchorClass(const std::string& className);

// A scroll position kept within 0 .. contentHeight - visibleHeight.
int ClampScrollPosition(int position, int contentHeight, int visibleHeight);

}  // namespace krevcfg
