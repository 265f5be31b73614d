// Helpers of the LexVault tests: fixtures, gzip members made by hand, the settings values the
// program reads and the captions the tests wait for; the files of a folder and long folders are the
// shared ones of folders.h.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "captions.h"
#include "folders.h"
#include "registry.h"
#include "responder.h"

// The captions of LexVault's dialog, boxes and file dialogs among them.
using namespace krevtest::captions;

namespace lvtest {

// A host-made fixture below the build folder, as a Windows path through the Z: drive.
std::string Fixture(const std::string& rel);
// The folder where backups for the host's gzip to judge are written.
std::string PeerOutDir();

// One gzip member of `content`: raw deflate at `level` with the given header fields.
struct MemberFields {
  int flags = 0x08;
  std::string extra;
  std::string name = "perlex.dat";
  std::string comment;
  int level = 6;
};
std::string Member(const std::string& content, const MemberFields& fields = MemberFields());

// The stored name of a member whose FLG is 0x08 alone.
std::string StoredName(const std::string& member);

using krevtest::FolderNames;

bool SetUnixMTime(const std::string& path, unsigned long seconds);

// Sets (or with nullptr unsets) an environment variable for the life of the object.
class EnvVar {
 public:
  EnvVar(const char* name, const char* value);
  ~EnvVar();
  EnvVar(const EnvVar&) = delete;
  EnvVar& operator=(const EnvVar&) = delete;

 private:
  std::string name_;
  bool had_;
  std::string old_;
};

// Keeps the two settings values the program reads ("用户词库文件" under the current user,
// "使用同一用户词库" under the local machine) and puts them back, or removes them, at the end.
// Both are cleared at the start.
class SettingsValues {
 public:
  SettingsValues() { ClearBoth(); }
  void SetUserWordlib(const std::string& path);
  void SetSameWordlib(const std::string& bytes, DWORD type = REG_DWORD);
  void ClearBoth();

 private:
  krevtest::ValueGuard user_{HKEY_CURRENT_USER, krevtest::kSettingsKey, "用户词库文件"};
  krevtest::ValueGuard machine_{HKEY_LOCAL_MACHINE, krevtest::kSettingsKey, "使用同一用户词库"};
};

using krevtest::Dword;

// Answers the box with `caption` by pressing `id` and waits until it is gone, so that a later box of
// the same caption is a new one. For scripts of several boxes run beside the code that shows them.
krevtest::SeenWindow AnswerBox(const std::string& caption, int id,
                               std::chrono::milliseconds timeout = std::chrono::seconds(15));
// Waits until `hwnd` is no longer a window.
bool WaitGone(HWND hwnd, std::chrono::milliseconds timeout = std::chrono::seconds(15));

using krevtest::LongFolder;

}  // namespace lvtest
