#include "run.h"

#include <string>

#include "codec.h"

char BackupFilePath[kPathBufferSize];
char WordlibFilePath[kPathBufferSize];
int ShowMessages = 1;

namespace {

const char* Title(int operation) { return operation ? "青岚拼音用户词库备份" : "青岚拼音用户词库恢复"; }

void ShowResult(int operation, int result) {
  if (!ShowMessages) return;
  const char* text;
  UINT icon;
  if (operation) {
    text = result == 0 ? "备份词库成功。" : "备份词库失败。";
  } else {
    text = result == 0 ? "恢复词库成功。" : "恢复词库失败。";
  }
  icon = result == 0 ? MB_ICONINFORMATION : MB_ICONERROR;
  MessageBoxA(nullptr, text, Title(operation), MB_OK | icon);
}

}  // namespace

int ReportFailedRun(int operation) {
  ShowResult(operation, -1);
  return 1;
}

int RunWordlibOperation(int operation) {
  if (WordlibFilePath[0] == '\0') {
    GetUserWordlibFile(WordlibFilePath);
    SetFileAttributesA(WordlibFilePath, 0);
  }
  // An overlong joined path leaves the buffer empty: there is nothing to run on.
  if (WordlibFilePath[0] == '\0' || BackupFilePath[0] == '\0') return ReportFailedRun(operation);

  if (!operation && ShowMessages) {
    std::string question = "从以下词库备份文件中恢复当前用户词库：\n\t";
    question += BackupFilePath;
    question += "\n\n注意：恢复操作将覆盖当前用户词库！";
    if (MessageBoxA(nullptr, question.c_str(), Title(operation), MB_YESNO | MB_ICONQUESTION) != IDYES) return 0;
  }

  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  int result = operation ? CompressFileTo(WordlibFilePath, BackupFilePath)
                         : DecompressFileTo(BackupFilePath, WordlibFilePath);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  ShowResult(operation, result);
  return 1;
}
