// Where the text after the program's name begins, for the names a user's shell or the settings
// centre puts on a command line. Every program here takes its command line through this cut, and
// tests/e2e starts each one from a folder with a Chinese name to show it as the platform hands it.
#include "cmdline.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CommandTail, SkipsTheProgramNameAndTheBlanksAfterIt) {
  struct Case {
    const char* commandLine;
    const char* tail;
  } cases[] = {
      {"lexvault.exe", ""},
      {"lexvault.exe /b x.LXB", "/b x.LXB"},
      {"lexvault.exe \t\r\n /r a b ", "/r a b "},
      {"lexvault.exe\x01\x1f/b", "/b"},
      {"\"C:\\Program Files\\lexvault.exe\" /b x", "/b x"},
      {"\"C:\\a b\\lexvault.exe\"/b x", "/b x"},
      {"\"C:\\a b\\lexvault.exe /b x", ""},  // no closing quote: all of it is the name
      {"\"\" /b", "/b"},
      {"", ""},
      {nullptr, ""},
      {"   /b x", "/b x"},  // a name of nothing: the blanks after it are still skipped
      {"a\x7f" "b /s", "/s"},  // DEL is no blank
      // GBK: lead bytes 0x81..0xFE and trail bytes 0x40..0xFE belong to the name or to the text.
      {"C:\\输入法\\lexvault.exe", ""},
      {"C:\\输入法\\lexvault.exe /b C:\\备份\\词库.LXB", "/b C:\\备份\\词库.LXB"},
      {"C:\\输入法\\lexvault.exe 备份.LXB", "备份.LXB"},
      {"lexvault.exe 备份.LXB", "备份.LXB"},
      {"\"C:\\输入 法\\lexvault.exe\" 备份.LXB", "备份.LXB"},
      {"\"C:\\输入法\\lexvault.exe\"备份.LXB", "备份.LXB"},
      {"C:\\\x81\x40\xfe\xfe.exe \x81\x40", "\x81\x40"},
      {"C:\\\x80\xff.exe \xa0x", "\xa0x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.commandLine);
    EXPECT_EQ(std::string(krev::CommandTail(c.commandLine)), c.tail);
  }
}

}  // namespace
