// The programs the word-library page starts, as they see themselves started: a copy of krevcfg.exe
// runs from a scratch installation directory together with a service library and recorders named
// lexvault.exe, lexjoin.exe and notepad.exe. The service library is either a copy of the real one
// (the installation directory is then the scratch folder, with or without a blank in its name) or
// one that gives no directory at all. The page's buttons are pressed from outside by their names.
#include <windows.h>

#include <memory>

#include "pagestest.h"

using namespace cfgtest;

namespace {

const char* const kStartedNames[] = {"lexvault.exe", "lexjoin.exe", "notepad.exe"};

// What a recorder wrote: its own path, the command line, the arguments after the program name.
struct Record {
  std::string module, cmdline;
  std::vector<std::string> args;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// A scratch installation: krevcfg.exe, krevset.dll from `library`, and the recorders.
class Installation {
 public:
  Installation(const std::string& hint, const std::string& library) : dir_(hint) {
    ok_ = CopyFileA((InstallDir() + "krevcfg.exe").c_str(), (dir_ / "krevcfg.exe").c_str(), FALSE) &&
          CopyFileA(library.c_str(), (dir_ / "krevset.dll").c_str(), FALSE);
    for (const char* name : kStartedNames) {
      ok_ = ok_ && CopyFileA((ModuleDir() + "cmdrecorder.exe").c_str(), (dir_ / name).c_str(), FALSE);
    }
  }
  ~Installation() { Stop(); }

  bool ok() const { return ok_; }
  const std::string& dir() const { return dir_.path(); }

  // Starts the copied program and waits for its main window, up and taking messages.
  bool Start() {
    program_.reset(new krevtest::Process("\"" + dir_ / "krevcfg.exe" + "\""));
    if (!program_->started()) return false;
    return krevtest::WaitFor(
               [&] {
                 main_ = krevtest::FindTopWindow("TfrmMain", krevtest::kCfgCaption, program_->pid());
                 return main_ && FindNamedWindow(main_, "btnWLRepair");
               },
               std::chrono::seconds(60)) &&
           krevtest::Answers(main_);
  }

  // Presses the named button, as a click does, without waiting for its handler, which may open a
  // modal window. The record that the started program `recorder` will write is removed first, so
  // that the record read afterwards can only come from this press: two buttons start lexjoin.exe.
  bool Press(const char* name, const char* recorder) {
    const std::string path = RecordPath(recorder);
    // A file deleted while another process still holds it goes only when that handle is closed.
    if (!krevtest::WaitFor([&] {
          DeleteFileA(path.c_str());
          return !krevtest::FileExists(path);
        }))
      return false;
    return krevtest::PostClick(FindNamedWindow(main_, name));
  }

  // The record of the started program `name`, once it opens and holds its lines; removed, so the
  // next start of the same program makes a new one.
  bool TakeRecord(const char* name, Record* out) {
    const std::string path = RecordPath(name);
    std::string text;
    bool whole = krevtest::WaitForFile(
        path, &text, [](const std::string& t) { return Lines(t).size() >= 2 && t.substr(t.size() - 2) == "\r\n"; });
    DeleteFileA(path.c_str());
    if (!whole) return false;
    std::vector<std::string> lines = Lines(text);
    out->module = lines[0];
    out->cmdline = lines[1];
    out->args.assign(lines.begin() + 2, lines.end());
    return true;
  }

  // Closes the window; true when the program ended with 0.
  bool Stop() {
    if (!program_) return false;
    if (main_) PostMessageA(main_, WM_CLOSE, 0, 0);
    const bool ended = program_->WaitExit(std::chrono::seconds(60)) == 0;
    program_.reset();
    return ended;
  }

 private:
  std::string RecordPath(const char* program) const { return dir_ / program + ".rec"; }

  krevtest::ScratchDir dir_;
  bool ok_ = false;
  std::unique_ptr<krevtest::Process> program_;
  HWND main_ = nullptr;
};

class StartedProgramsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    krevtest::DeleteSettingsKeys();
    data_ = UserDataDir();
    dataExisted_ = GetFileAttributesA(data_.c_str()) != INVALID_FILE_ATTRIBUTES;
    files_.reset(new FileGuard({data_ + "vardekosp.ini", data_ + "punctdef.ini", data_ + "phrasedef.ini",
                                data_ + "perlex.dat", data_ + "intake.log"}));
  }
  void TearDown() override {
    files_.reset();
    krevtest::DeleteSettingsKeys();
    if (!dataExisted_) krevtest::RemoveTree(data_);
  }

  // The three buttons that start programs of the installation directory, each once.
  void ExpectInstallDirStarts(Installation& inst, const std::string& dir) {
    struct {
      const char* button;
      const char* program;
      std::vector<std::string> args;
    } cases[] = {
        {"btnLexVault", "lexvault.exe", {}},
        {"btnLexJoin", "lexjoin.exe", {}},
        {"btnWLRepair", "lexjoin.exe", {"/r"}},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(c.button);
      ASSERT_TRUE(inst.Press(c.button, c.program));
      Record r;
      ASSERT_TRUE(inst.TakeRecord(c.program, &r));
      EXPECT_EQ(inst.dir() + c.program, r.module);
      EXPECT_EQ("\"" + dir + c.program + "\"" + (c.args.empty() ? "" : " /r"), r.cmdline);
      EXPECT_EQ(c.args, r.args) << r.cmdline;
    }
  }

  // Imports a word file through the page and asks for the log: Notepad's record.
  void ExpectNotepadFor(Installation& inst, const std::string& log) {
    const std::string words = inst.dir() + "words.txt";
    krevtest::WriteFileBytes(words, "青岚 qing'lan\r\n");
    BoxScript script("选择自定义词文本文件", {ChooseFile(words), cfgtest::Press(IDYES)});
    ASSERT_TRUE(inst.Press("btnWLImport", "notepad.exe"));
    Record r;
    bool started = inst.TakeRecord("notepad.exe", &r);
    std::vector<krevtest::SeenWindow> seen = script.Finish();
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ("导入词操作成功！\r\n\r\n是否查看导入日志？", seen[1].text);
    ASSERT_TRUE(started);
    EXPECT_EQ(inst.dir() + "notepad.exe", r.module);
    EXPECT_EQ("notepad.exe \"" + log + "\"", r.cmdline);
    EXPECT_EQ(std::vector<std::string>{log}, r.args);
  }

  std::string data_;
  bool dataExisted_ = false;
  std::unique_ptr<FileGuard> files_;
};

}  // namespace

TEST_F(StartedProgramsTest, InstallationDirectoryWithAndWithoutBlanks) {
  for (const char* hint : {"krev install", "krevinstall"}) {
    SCOPED_TRACE(hint);
    Installation inst(hint, InstallDir() + "krevset.dll");
    ASSERT_TRUE(inst.ok());
    ASSERT_EQ(std::string(hint).find(' ') != std::string::npos, inst.dir().find(' ') != std::string::npos);
    ASSERT_TRUE(inst.Start());
    ExpectInstallDirStarts(inst, inst.dir());
    // The log path is quoted as well; the user data directory comes from the real library.
    if (inst.dir().find(' ') != std::string::npos) ExpectNotepadFor(inst, data_ + "intake.log");
    EXPECT_TRUE(inst.Stop());
  }
}

TEST_F(StartedProgramsTest, LibraryGivingNoDirectoryLeavesTheSearchToTheSystem) {
  Installation inst("krevnodirs", ModuleDir() + "nodirs\\krevset.dll");
  ASSERT_TRUE(inst.ok());
  ASSERT_TRUE(inst.Start());
  // No directory in front of the names: the system finds the recorders beside the program.
  ExpectInstallDirStarts(inst, "");
  ExpectNotepadFor(inst, "intake.log");
  EXPECT_TRUE(inst.Stop());
}
