// The new file that a program writes before it replaces a file: created in the target's own folder,
// under a name as long as the target's, so that it fits wherever the target fits; and the one way
// the programs replace a file with it (NewFileBeside).
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

// What names a file whatever the spelling of its path: the volume and file index, and the full
// long path as a second opinion for file systems that give no index.
struct FileId {
  bool indexed = false;
  DWORD volume = 0, high = 0, low = 0;
  std::string fullPath;  // empty when the path has no full form shorter than MAX_PATH
};

// The identity of the open file `h`, which was opened as `path`.
FileId IdOfHandle(HANDLE h, const std::string& path);
// Whether the two name one file: the same index on the same volume, or the same full path (letter
// case aside).
bool SameFile(const FileId& a, const FileId& b);

// A file replaced only once its new content is complete, in the manner of a temporary file that
// deletes itself: Open refuses a target that could not be replaced and creates the new file beside
// it (CreateFileBeside), Write fills it, and Commit closes it, checks the close and moves it over the
// target. A new file that is not committed is closed and deleted by Abandon or on destruction, and so
// is one whose Commit fails: a failure at any step leaves the target as it was and nothing beside it.
// The object reports what failed; its user words the error.
class NewFileBeside {
 public:
  using WriteCall = BOOL(WINAPI*)(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped);
  // What Commit did: the target replaced, or the step that failed.
  enum class Result { Replaced, NotClosed, NotMoved };

  NewFileBeside() = default;
  ~NewFileBeside() { Abandon(); }
  NewFileBeside(NewFileBeside&& other) noexcept;
  NewFileBeside& operator=(NewFileBeside&& other) noexcept;
  NewFileBeside(const NewFileBeside&) = delete;
  NewFileBeside& operator=(const NewFileBeside&) = delete;

  // Creates the new file for `target` (abandoning one this object still holds). False, with nothing
  // created, for a target that cannot be replaced: an empty path or one of MAX_PATH bytes or more; a
  // read-only file or a directory (the attribute itself is looked at: a process with administrative
  // rights may open a read-only file for writing); a file that another program holds without sharing
  // it for writing; anything that is not a file on a disk (a device, a pipe); a path whose folder
  // cannot be reached; and when no new file can be created beside it. A target that does not exist
  // is no refusal. `targetId`, when given, receives the identity of the file at the target path, or
  // only its full path when there is none.
  bool Open(const std::string& target, FileId* targetId = nullptr);
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  // The open new file and its full path, while it is open.
  HANDLE Handle() const { return handle_; }
  const std::string& NewPath() const { return newPath_; }

  // Appends `size` bytes through `write` (the platform's WriteFile unless a caller's own seam stands
  // in), continuing after a short write. False when a write fails or writes nothing; the new file
  // stays open, to be abandoned.
  bool Write(const void* data, DWORD size, WriteCall write = ::WriteFile);
  // Closes the new file and, when the close succeeded, moves it over the target. Anything but
  // Replaced deletes the new file. The object holds no file afterwards.
  Result Commit();
  // Closes and deletes the new file, if the object holds one.
  void Abandon();

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  std::string target_;
  std::string newPath_;
};

}  // namespace krev
