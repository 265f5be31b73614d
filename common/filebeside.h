// The new file that a program writes before it replaces a file: created in the target's own folder,
// under a name as long as the target's, so that it fits wherever the target fits.
#pragma once

#include <windows.h>

#include <string>

namespace krev {

// Creates, exclusively and open for writing, the new file for `target` and gives its full path in
// `newPath`. Its name is the target's full path with the last characters of the file name replaced
// by "~" and a counter (by one letter or digit for a one-character name): the first such name that
// nothing has taken, the target's own passed over. It never splits a double-byte character nor ends
// in a dot or blank. INVALID_HANDLE_VALUE when the target has no full path shorter than MAX_PATH
// that ends in a file name, when every name is taken, or when the folder takes no new file; the
// caller moves the new file into place once it is complete, or deletes it.
HANDLE CreateFileBeside(const std::string& target, std::string* newPath);

}  // namespace krev
