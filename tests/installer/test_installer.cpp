// instkrev: its command line, its messages and exit codes as a real process, its failure path, and
// the stand-ins of the input method that it registers and whose versions the settings centre reads.
#include <windows.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "captions.h"
#include "cmdline.h"
#include "instkrev.h"
#include "responder.h"
#include "seams.h"
#include "testenv.h"

using krevtest::BoxIcon;
using krevtest::SeenWindow;
using namespace krevtest::captions;

namespace {

const char kSuccessText[] = "安装ime成功。";
const char kFailureText[] = "安装ime出错！";
const char kLayoutText[] = "青岚拼音输入法";

// Process starts are slow here: generous limits, only reached when something is wrong.
const DWORD kProcessTimeout = 120000;
const auto kBoxTimeout = std::chrono::seconds(120);

std::string Lower(std::string s) {
  if (!s.empty()) CharLowerBuffA(&s[0], static_cast<DWORD>(s.size()));
  return s;
}

bool EndsWithNoCase(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && Lower(s.substr(s.size() - tail.size())) == Lower(tail);
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

std::string ThisDir() {
  char buf[MAX_PATH] = {0};
  GetModuleFileNameA(nullptr, buf, MAX_PATH);
  std::string s = buf;
  return s.substr(0, s.find_last_of('\\') + 1);
}

// ---------------------------------------------------------------------------------------------
// The command line as the program sees it.

struct TailCase {
  const char* commandLine;
  const char* tail;
  bool silent;
};

TEST(InstallerCommandLine, ProgramNameIsSkippedAndOnlyLowerCaseSlashSIsSilent) {
  const TailCase cases[] = {
      {"instkrev.exe /s", "/s", true},
      {"instkrev.exe /S", "/S", false},
      {"instkrev.exe", "", false},
      {"instkrev.exe /", "/", false},
      {"instkrev.exe s", "s", false},
      {"instkrev.exe -s", "-s", false},
      {"instkrev.exe /sx", "/sx", true},
      {"instkrev.exe /s more words", "/s more words", true},
      {"instkrev.exe \t   /s", "/s", true},
      {"instkrev.exe  /x /s", "/x /s", false},
      {"\"C:\\Program Files\\a b\\instkrev.exe\" /s", "/s", true},
      {"\"C:\\a b\\instkrev.exe\"/s", "/s", true},
      {"\"C:\\a b\\instkrev.exe /s", "", false},  // no closing quote: all of it is the name
      {"", "", false},
  };
  for (const TailCase& c : cases) {
    SCOPED_TRACE(c.commandLine);
    const char* tail = krev::CommandTail(c.commandLine);
    EXPECT_STREQ(tail, c.tail);
    EXPECT_EQ(instkrev::IsSilent(tail), c.silent);
  }
}

// ---------------------------------------------------------------------------------------------
// In process, with the platform calls replaced where the platform cannot fail on demand.

using krevtest::FakeSystemDirectory;

int g_installCalls = 0;
std::string g_installedPath, g_installedText;
HKL g_installResult = nullptr;

HKL WINAPI RecordingInstall(LPCSTR path, LPCSTR text) {
  ++g_installCalls;
  g_installedPath = path;
  g_installedText = text;
  return g_installResult;
}

class InstallerSeam : public ::testing::Test {
 protected:
  void SetUp() override {
    instkrev::InstkrevCalls.ImmInstallIMEA = RecordingInstall;
    krevtest::FakeSystemDir = {};
    g_installCalls = 0;
    g_installedPath.clear();
    g_installedText.clear();
    g_installResult = reinterpret_cast<HKL>(static_cast<UINT_PTR>(0xE0200804));
  }
  static int Run(const char* tail) { return instkrev::InstallerMain(GetModuleHandleA(nullptr), nullptr, tail, SW_SHOW); }

 private:
  // The recorder stays in place for the test only.
  krevtest::ScopedCalls<instkrev::TInstkrevCalls> calls_{instkrev::InstkrevCalls};
};

TEST_F(InstallerSeam, PassesTheModuleOfTheSystemDirectoryAndTheLayoutText) {
  EXPECT_EQ(Run("/s"), 0);
  EXPECT_EQ(g_installCalls, 1);
  EXPECT_EQ(g_installedPath, krevtest::SystemDir() + "vardeko.ime");
  EXPECT_EQ(g_installedText, kLayoutText);
  EXPECT_EQ(instkrev::ShowMessages, 0);
}

TEST_F(InstallerSeam, MessagesShowTextCaptionAndIconOfTheOutcome) {
  struct {
    bool installs;
    const char* text;
    BoxIcon icon;
    int result;
  } cases[] = {{true, kSuccessText, BoxIcon::Information, 0}, {false, kFailureText, BoxIcon::Error, -2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    g_installResult = c.installs ? reinterpret_cast<HKL>(static_cast<UINT_PTR>(0xE0200804)) : nullptr;
    HWND owner = reinterpret_cast<HWND>(1);
    auto box = krevtest::Expect(kInstallerCaption, [&owner](HWND dlg, SeenWindow&) {
      owner = GetWindow(dlg, GW_OWNER);
      return IDOK;
    });
    EXPECT_EQ(Run(""), c.result);
    SeenWindow seen = box.get();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, c.text);
    EXPECT_EQ(seen.icon, c.icon);
    EXPECT_EQ(seen.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(owner, nullptr) << "the box has no owner";
  }
}

// The system directory is asked for with 255 bytes, and the path must fit 256 with its zero.
// Whatever does not fit is a failed installation, never a shortened path.
struct DirCase {
  const char* what;
  bool fails;
  size_t length;  // of the system directory
  int result;
};

TEST_F(InstallerSeam, SystemDirectoryThatIsMissingOrTooLongIsAFailure) {
  // 243 + "\" + "vardeko.ime" + zero = 256 bytes.
  const DirCase cases[] = {
      {"directory cannot be obtained", true, 0, -2},
      {"path fills the buffer exactly", false, 243, 0},
      {"path one byte too long", false, 244, -2},
      {"directory fills its own buffer", false, 254, -2},
      {"directory longer than its buffer", false, 300, -2},
  };
  krevtest::ScopedCall fakeDir(instkrev::InstkrevCalls.GetSystemDirectoryA, FakeSystemDirectory);
  for (const DirCase& c : cases) {
    SCOPED_TRACE(c.what);
    krevtest::FakeSystemDir = {c.length ? "C:\\" + std::string(c.length - 3, 'd') : std::string(), c.fails};
    g_installCalls = 0;
    g_installedPath.clear();
    EXPECT_EQ(Run("/s"), c.result);
    if (c.result == 0) {
      EXPECT_EQ(g_installCalls, 1);
      EXPECT_EQ(g_installedPath, krevtest::FakeSystemDir.dir + "\\vardeko.ime");
      EXPECT_EQ(g_installedPath.size(), 255u);
    } else {
      EXPECT_EQ(g_installCalls, 0) << "a shortened or unknown path was handed on";
    }
  }

  // Not silent: the same failure box as a refused registration.
  krevtest::FakeSystemDir.fails = true;
  auto box = krevtest::ExpectBox(kInstallerCaption, IDOK);
  EXPECT_EQ(Run("/S"), -2);
  SeenWindow seen = box.get();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.text, kFailureText);
  EXPECT_EQ(seen.icon, BoxIcon::Error);
}

// ---------------------------------------------------------------------------------------------
// The real program in the prepared prefix. Which icon a box of another process shows cannot be
// told here (Wine's icon handles are only valid in the process that loaded them), so the icons
// are checked in process above and the processes' boxes only for having one.

struct ProcessCase {
  const char* what;
  std::string arguments;  // after the program name, as typed
  bool quotedName;
  bool silent;
};

class InstallerProcess : public ::testing::Test {
 protected:
  // Runs one command line; answers the box when one is expected and returns what it showed.
  static SeenWindow RunRow(const std::string& cmdline, bool silent, long* code) {
    if (silent) return RunExpectingNoBox(cmdline, code);
    auto box = krevtest::ExpectBox(kInstallerCaption, IDOK, kBoxTimeout);
    *code = krevtest::RunProcess(cmdline, kProcessTimeout);
    return box.get();
  }

  // A silent run: waits for the process to end, and closes any box with the caption that it shows
  // meanwhile (reported in the result), so that a wrong box costs no more than the run itself.
  static SeenWindow RunExpectingNoBox(const std::string& cmdline, long* code) {
    SeenWindow shown;
    *code = -1000;
    krevtest::Process run(cmdline);
    if (!run.started()) return shown;
    krevtest::WaitFor(
        [&] {
          if (HWND box = krevtest::FindTopWindow("#32770", kInstallerCaption, run.pid())) {
            krevtest::Answers(box);  // read once it has set up its texts
            shown = krevtest::Inspect(box);
            krevtest::PostClick(box, IDOK);
            krevtest::WaitGone(box);
          }
          return !run.Running();
        },
        std::chrono::milliseconds(kProcessTimeout));
    *code = run.WaitExit(std::chrono::milliseconds(0));
    return shown;
  }

  krevtest::LayoutWatch layouts_;
};

TEST_F(InstallerProcess, CommandLineTable) {
  const std::string exe = krevtest::InstallDir() + "instkrev.exe";
  ASSERT_TRUE(krevtest::FileExists(exe)) << exe;
  const ProcessCase cases[] = {
      {"/s", " /s", true, true},
      {"/S", " /S", true, false},
      {"empty", "", true, false},
      {"slash alone", " /", false, false},
      {"/sx", " /sx", false, true},
      {"/s more words", " /s more words", true, true},
      {"blanks before /s", "   \t /s", false, true},
  };
  for (const ProcessCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::string cmdline = (c.quotedName ? Quoted(exe) : exe) + c.arguments;
    long code = 0;
    SeenWindow seen = RunRow(cmdline, c.silent, &code);
    EXPECT_EQ(code, 0);
    if (c.silent) {
      EXPECT_FALSE(seen.found) << "silent run showed: " << seen.text;
    } else {
      ASSERT_TRUE(seen.found) << "no message box";
      EXPECT_EQ(seen.caption, kInstallerCaption);
      EXPECT_EQ(seen.text, kSuccessText);
      EXPECT_NE(seen.icon, BoxIcon::None);
      EXPECT_EQ(seen.buttons, std::vector<int>{IDOK});
    }
    // Each run registers the module once, under the layout text.
    std::vector<krevtest::Layout> layouts = layouts_.Take();
    ASSERT_EQ(layouts.size(), 1u);
    EXPECT_TRUE(EndsWithNoCase(layouts[0].imeFile, "vardeko.ime")) << layouts[0].imeFile;
    EXPECT_EQ(layouts[0].text, kLayoutText);
  }
}

TEST_F(InstallerProcess, RefusedRegistrationEndsWithExitCodeMinusTwo) {
  const std::string exe = ThisDir() + "instkrev_failing.exe";
  ASSERT_TRUE(krevtest::FileExists(exe)) << exe;
  struct {
    const char* arguments;
    bool silent;
  } cases[] = {{"", false}, {" /s", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    long code = 0;
    SeenWindow seen = RunRow(Quoted(exe) + c.arguments, c.silent, &code);
    EXPECT_EQ(static_cast<DWORD>(code), 0xFFFFFFFEu);
    if (c.silent) {
      EXPECT_FALSE(seen.found) << "silent run showed: " << seen.text;
    } else {
      ASSERT_TRUE(seen.found) << "no message box";
      EXPECT_EQ(seen.caption, kInstallerCaption);
      EXPECT_EQ(seen.text, kFailureText);
      EXPECT_NE(seen.icon, BoxIcon::None);
      EXPECT_EQ(seen.buttons, std::vector<int>{IDOK});
    }
    EXPECT_TRUE(layouts_.Take().empty());
  }
}

// ---------------------------------------------------------------------------------------------
// The stand-ins' version entries, read the way the version page reads them.

// The entry's text, or "<none>" when the file has no version information or not that entry.
std::string VersionEntry(const std::string& path, const char* entry) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  if (size == 0) return "<none>";
  std::vector<char> block(size, 0);
  GetFileVersionInfoA(path.c_str(), 0, size, block.data());
  char* text = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), entry, reinterpret_cast<void**>(&text), &length) || !text) return "<none>";
  return std::string(text);
}

struct VersionCase {
  const char* file;
  const char* entry;
  const char* expected;
};

TEST(StandinVersions, EachFileHasItsFileVersionUnderItsOwnCodePageOnly) {
  const VersionCase cases[] = {
      {"kvengine.dll", "\\StringFileInfo\\080404b0\\FileVersion", "3.0.1.25"},
      {"kvengine.dll", "StringFileInfo\\080404b0\\FileVersion", "3.0.1.25"},
      {"kvengine.dll", "\\StringFileInfo\\080403a8\\FileVersion", "<none>"},
      {"vardeko.ime", "\\StringFileInfo\\080403a8\\FileVersion", "3.0.1.31"},
      {"vardeko.ime", "StringFileInfo\\080403a8\\FileVersion", "3.0.1.31"},
      {"vardeko.ime", "\\StringFileInfo\\080404b0\\FileVersion", "<none>"},
      {"vardeko.ime", "\\StringFileInfo\\080403a8\\ProductName", kLayoutText},
  };
  for (const VersionCase& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " " + c.entry);
    EXPECT_EQ(VersionEntry(krevtest::SystemDir() + c.file, c.entry), c.expected);
  }
}

TEST(StandinVersions, ModuleIsMarkedAsAnInputMethodDriver) {
  std::string path = krevtest::SystemDir() + "vardeko.ime";
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  ASSERT_NE(size, 0u) << path;
  std::vector<char> block(size, 0);
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length));
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(info->dwFileType, static_cast<DWORD>(VFT_DRV));
  EXPECT_EQ(info->dwFileSubtype, static_cast<DWORD>(VFT2_DRV_INPUTMETHOD));
}

// ---------------------------------------------------------------------------------------------
// The module offers what the input-method manager looks up in it.

struct ImeInfo {
  DWORD privateDataSize, property, conversionCaps, sentenceCaps, uiCaps, scsCaps, selectCaps;
};
using ImeInquireFn = BOOL(WINAPI*)(ImeInfo*, LPSTR, DWORD);

TEST(StandinModule, ExportsTheEntryPointsAndRegistersItsUserInterfaceClass) {
  HMODULE module = LoadLibraryA((krevtest::SystemDir() + "vardeko.ime").c_str());
  ASSERT_NE(module, nullptr);
  const char* names[] = {"ImeInquire",          "ImeConfigure",         "ImeConversionList",
                         "ImeDestroy",          "ImeEscape",            "ImeProcessKey",
                         "ImeSelect",           "ImeSetActiveContext",  "ImeToAsciiEx",
                         "NotifyIME",           "ImeRegisterWord",      "ImeUnregisterWord",
                         "ImeGetRegisterWordStyle", "ImeEnumRegisterWord", "ImeSetCompositionString",
                         "UIWndProc"};
  for (const char* name : names) EXPECT_NE(GetProcAddress(module, name), nullptr) << name;

  auto inquire = reinterpret_cast<ImeInquireFn>(reinterpret_cast<void*>(GetProcAddress(module, "ImeInquire")));
  ASSERT_NE(inquire, nullptr);
  ImeInfo info{};
  char uiClass[16];
  std::memset(uiClass, 'x', sizeof uiClass);
  ASSERT_TRUE(inquire(&info, uiClass, 0));
  ASSERT_NE(std::memchr(uiClass, 0, sizeof uiClass), nullptr) << "class name overruns the manager's buffer";
  EXPECT_EQ(info.property & IME_PROP_UNICODE, 0u) << "the module's texts are GBK";

  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  ASSERT_TRUE(GetClassInfoExA(module, uiClass, &wc)) << uiClass;
  EXPECT_TRUE(wc.style & CS_IME);
  EXPECT_GE(wc.cbWndExtra, static_cast<int>(2 * sizeof(LONG_PTR)));
  FreeLibrary(module);
}

// ---------------------------------------------------------------------------------------------
// The other stand-ins of the installation directory.

TEST(StandinHelp, HelpFileHoldsThePagesTheProgramsName) {
  std::string chm = krevtest::ReadFileBytes(krevtest::InstallDir() + "vardeko.chm");
  ASSERT_GE(chm.size(), 4u) << "vardeko.chm missing from the installation directory";
  EXPECT_EQ(chm.substr(0, 4), "ITSF");
  // A help file stores its file names in UTF-8, whatever the code page of the pages.
  const char* pages[] = {u8"/index.htm", u8"/195-输入法配置和管理.htm", u8"/030-用户许可说明.htm",
                         u8"/270-词库的备份和恢复.htm"};
  for (const char* page : pages) EXPECT_NE(chm.find(page), std::string::npos) << page;
}

TEST(StandinLexjoin, ShowsTheJobItWasStartedFor) {
  const std::string exe = krevtest::InstallDir() + "lexjoin.exe";
  ASSERT_TRUE(krevtest::FileExists(exe)) << exe;
  struct {
    const char* arguments;
    const char* job;
  } cases[] = {{"", "合并用户词库"}, {" /r", "修复用户词库"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.job);
    auto box = krevtest::ExpectBox(kLexjoinCaption, IDOK, kBoxTimeout);
    EXPECT_EQ(krevtest::RunProcess(Quoted(exe) + c.arguments, kProcessTimeout), 0);
    SeenWindow seen = box.get();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, c.job);
  }
}

}  // namespace
