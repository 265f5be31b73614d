// The work behind the stand-in's actions, on explicit paths (formats in FORMATS.md).
#pragma once

#include <string>

namespace krevset {

// Directories end in a backslash; an empty text means it could not be had.
std::string InstallDir();
std::string UserDataDir();
// By the user word-library mode: the explicit file, else one per machine, else per user.
std::string UserWordlibPath();

// Replaces `target` with a copy of the system word library `source`; creates the user data
// directory first when the target lies in it and it is missing.
bool GenerateUserWordlib(const std::string& source, const std::string& target,
                         const std::string& userDataDir);

// Adds the words of the word-list file `list` to the word library `wordlib` (created when missing)
// and writes the import log `log`. False when the list or the library cannot be read or written.
bool ImportWordList(const std::string& list, const std::string& wordlib, const std::string& log);

// Compiles the ShuangPin scheme `ini` into the key-scheme file `ksc`. False, and `ksc` untouched,
// when the scheme cannot be read or is not well formed.
bool CompileSpScheme(const std::string& ini, const std::string& ksc);

}  // namespace krevset
