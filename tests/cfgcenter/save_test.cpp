// OK and Save: which files are written, the key-scheme file, the save prompt, the user word
// library check, and a definition file that cannot be written.
#include <windows.h>

#include <cstring>
#include <future>
#include <set>

#include "folders.h"
#include "formtest.h"
#include "responder.h"

using namespace cfgtest;
using krevtest::ExpectBox;
using krevtest::SeenWindow;

namespace {

const char kPromptCaption[] = "青岚拼音输入法 － 属性设置";

// Answers the save prompt from another thread as a person would: optionally ticks the box, then
// presses its OK button or its close box. The future tells whether the prompt was seen.
std::future<bool> AnswerPrompt(bool tickNoPrompt, bool closeBox = false) {
  return std::async(std::launch::async, [tickNoPrompt, closeBox] {
    krevtest::Answering token;
    HWND prompt = nullptr;
    // Once it answers, its modal loop runs and the clicks below reach it.
    if (!krevtest::WaitFor([&] { return (prompt = krevtest::FindTopWindow("TfrmSavePrompt", kPromptCaption)) != nullptr; }) ||
        !krevtest::Answers(prompt))
      return false;
    if (tickNoPrompt) krevtest::SendClick(FindNamedWindow(prompt, "chkNoPromptAgain"));
    if (closeBox) {
      SendMessageA(prompt, WM_CLOSE, 0, 0);
    } else {
      krevtest::SendClick(FindNamedWindow(prompt, "btnOK"));
    }
    return true;
  });
}

// While it lives, a save prompt that comes is answered and noted, so that a prompt shown where
// none may come fails the test instead of waiting for an answer.
class NoPrompt : public krevtest::NoWindow {
 public:
  NoPrompt() : NoWindow("TfrmSavePrompt", kPromptCaption) {}
};

bool ReadPromptValue(DWORD* value) {
  krevtest::RawValue stored = krevtest::ReadRaw(HKEY_CURRENT_USER, KrevPromptAfterSaveValue);
  if (stored.found) *value = stored.dword();
  return stored.found && stored.type == REG_DWORD;
}

void Click(TControl& c) { SendMessageA(c.Handle(), BM_CLICK, 0, 0); }

}  // namespace

class SaveTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    lexGuard_.reset(new FileGuard({InstallDir() + "baselex.dat"}));
    krevtest::WriteFileBytes(wordlib_, "KREVLEX 1\r\n");
    DeleteFileA(ksc_.c_str());
  }
  void TearDown() override {
    MainFormTest::TearDown();
    lexGuard_.reset();
  }
  // Opens the window with every editor loaded and unmodified.
  TfrmMain& OpenLoaded() {
    TfrmMain& f = Open();
    f.Show();
    for (int node : {7, 8, 9}) f.tvwMenu.Select(f.tvwMenu.Item(node));
    return f;
  }
  std::unique_ptr<FileGuard> lexGuard_;
};

TEST_F(SaveTest, EditorsWrittenOnlyWhenModifiedAndTheKeySchemeAfterShuangPin) {
  StorePromptOff();
  struct {
    bool spdef, chnsym, spewords;
  } cases[] = {{false, false, false}, {true, false, false}, {false, true, true}, {true, true, true}};
  for (const auto& c : cases) {
    TfrmMain& f = OpenLoaded();
    if (c.spdef) TypeInto(f.mmoSpdef, ";");
    if (c.chnsym) TypeInto(f.mmoChnsym, "C");
    if (c.spewords) TypeInto(f.mmoSpewords, "W");
    std::string spText = f.mmoSpdef.Text(), chText = f.mmoChnsym.Text(), weText = f.mmoSpewords.Text();
    Click(f.btnApply);
    EXPECT_EQ(c.spdef ? spText : kSpdefText, krevtest::ReadFileBytes(spdef_));
    EXPECT_EQ(c.chnsym ? chText : "chn\nsym\n", krevtest::ReadFileBytes(chnsym_));
    EXPECT_EQ(c.spewords ? weText : "spe\rwords", krevtest::ReadFileBytes(spewords_));
    EXPECT_EQ(c.spdef, krevtest::FileExists(ksc_));
    for (TMemo* m : {&f.mmoSpdef, &f.mmoChnsym, &f.mmoSpewords}) EXPECT_FALSE(m->Modified());
    EXPECT_TRUE(f.Visible());
    StartNextCase();
    StorePromptOff();
  }
}

TEST_F(SaveTest, SettingsReachTheRegistryAndOkCloses) {
  StorePromptOff();
  TfrmMain& f = OpenLoaded();
  Click(f.chkFZ);
  Click(f.rdbxShuangPin);
  Click(f.btnOK);
  EXPECT_FALSE(f.Visible());
  TKrevConfig stored;
  stored.LoadFromRegistry();
  EXPECT_TRUE(stored.FFuzzyZ);
  EXPECT_TRUE(stored.FShuangPin);
  EXPECT_FALSE(stored.FPromptAfterSave);
}

TEST_F(SaveTest, PromptKeptOnUntilItsBoxIsTicked) {
  TfrmMain& f = OpenLoaded();
  auto first = AnswerPrompt(false);
  Click(f.btnApply);
  EXPECT_TRUE(first.get());
  DWORD value = 7;
  EXPECT_FALSE(ReadPromptValue(&value));  // a missing value stays missing
  EXPECT_TRUE(f.Config()->FPromptAfterSave);

  auto second = AnswerPrompt(true);
  Click(f.btnApply);
  EXPECT_TRUE(second.get());
  ASSERT_TRUE(ReadPromptValue(&value));
  EXPECT_EQ(0u, value);
  EXPECT_FALSE(f.Config()->FPromptAfterSave);

  // No prompt any more in this run.
  NoPrompt none;
  Click(f.btnApply);
  EXPECT_EQ("", none.Finish());
  EXPECT_TRUE(f.Visible());
}

TEST_F(SaveTest, MissingWordlibGeneratedOrReported) {
  StorePromptOff();
  DeleteFileA(wordlib_.c_str());
  // Save generates it and says so, then shows its time.
  {
    TfrmMain& f = OpenLoaded();
    EXPECT_EQ("未知", f.lblUsrWordlibTime.Caption());
    auto box = ExpectBox(krevtest::kWordlibResetCaption, IDOK);
    Click(f.btnApply);
    SeenWindow seen = box.get();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ("已经为您生成用户词库成功。", seen.text);
    EXPECT_EQ(krevtest::BoxIcon::Information, seen.icon);
    EXPECT_TRUE(krevtest::FileExists(wordlib_));
    EXPECT_NE("未知", f.lblUsrWordlibTime.Caption());
  }
  StartNextCase();
  StorePromptOff();
  DeleteFileA(wordlib_.c_str());
  DeleteFileA((InstallDir() + "baselex.dat").c_str());
  // Generation fails: OK reports it and keeps the window.
  TfrmMain& f = OpenLoaded();
  auto box = ExpectBox(krevtest::kWordlibResetCaption, IDOK);
  Click(f.btnOK);
  SeenWindow seen = box.get();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ("生成用户词库失败，请确认用户词库选项，如果指定词库文件，请确认路径是否正确。", seen.text);
  EXPECT_EQ(krevtest::BoxIcon::Exclamation, seen.icon);
  EXPECT_TRUE(f.Visible());
}

TEST_F(SaveTest, ReadOnlyDefinitionFileStopsTheSequenceThere) {
  TfrmMain& f = OpenLoaded();
  TypeInto(f.mmoChnsym, "C");
  TypeInto(f.mmoSpdef, ";");
  Click(f.chkFK);
  ASSERT_TRUE(SetFileAttributesA(chnsym_.c_str(), FILE_ATTRIBUTE_READONLY));
  auto box = ExpectBox(kAppTitle, IDOK);
  NoPrompt none;
  Click(f.btnOK);
  SeenWindow seen = box.get();
  SetFileAttributesA(chnsym_.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ("", none.Finish());
  ASSERT_TRUE(seen.found);
  EXPECT_EQ("Cannot create file " + chnsym_ + ".", seen.text);
  EXPECT_EQ(krevtest::BoxIcon::Error, seen.icon);
  EXPECT_TRUE(f.Visible());
  EXPECT_TRUE(f.mmoChnsym.Modified());
  EXPECT_TRUE(f.mmoSpdef.Modified());
  EXPECT_EQ("chn\nsym\n", krevtest::ReadFileBytes(chnsym_));
  EXPECT_EQ(kSpdefText, krevtest::ReadFileBytes(spdef_));
  EXPECT_FALSE(krevtest::FileExists(ksc_));
  TKrevConfig stored;
  stored.LoadFromRegistry();
  EXPECT_TRUE(stored.FFuzzyK);
}

TEST_F(SaveTest, ClosingThePromptAnswersAsItsBoxSays) {
  TfrmMain& f = OpenLoaded();
  // First showing of the run, closed by its close box with the box clear: the prompt stays on.
  auto first = AnswerPrompt(false, true);
  Click(f.btnApply);
  EXPECT_TRUE(first.get());
  DWORD value = 7;
  EXPECT_FALSE(ReadPromptValue(&value));
  EXPECT_TRUE(f.Config()->FPromptAfterSave);
  EXPECT_FALSE(frmSavePrompt->Visible());

  // Closed with the box ticked: turned off and stored at once.
  auto second = AnswerPrompt(true, true);
  Click(f.btnApply);
  EXPECT_TRUE(second.get());
  ASSERT_TRUE(ReadPromptValue(&value));
  EXPECT_EQ(0u, value);
  EXPECT_FALSE(f.Config()->FPromptAfterSave);
}

// The live definition file in folders of every length from 240 to 259 characters: named as it is
// where that fits, and so that its path is 259 characters long (the limit) or one longer. Save
// creates and then replaces each file that fits, leaving nothing beside it; a path past the limit
// is refused by name, writes nothing and keeps the editor modified.
TEST_F(SaveTest, DefinitionFileInFoldersOfEveryLengthUpToThePathLimit) {
  constexpr size_t kLongestPath = MAX_PATH - 1;
  StorePromptOff();
  TfrmMain& f = OpenLoaded();
  for (size_t folderLength = 240; folderLength <= kLongestPath; ++folderLength) {
    krevtest::LongFolder dir(folderLength);
    ASSERT_TRUE(dir.made()) << folderLength;
    std::set<size_t> nameLengths;
    if (folderLength + 1 + std::strlen("punctdef.ini") <= kLongestPath) nameLengths.insert(std::strlen("punctdef.ini"));
    for (size_t pathLength : {kLongestPath, kLongestPath + 1}) {
      if (pathLength > folderLength + 1) nameLengths.insert(pathLength - folderLength - 1);
    }
    if (nameLengths.empty()) nameLengths.insert(1);  // a folder of 259: any file in it is too long

    for (size_t nameLength : nameLengths) {
      const std::string name = nameLength == std::strlen("punctdef.ini") ? "punctdef.ini"
                               : nameLength > 4 ? std::string(nameLength - 4, 'p') + ".ini"
                                                : std::string(nameLength, 'p');
      const std::string path = dir / name;
      SCOPED_TRACE("folder of " + std::to_string(folderLength) + ", path of " + std::to_string(path.size()));
      if (path.size() <= kLongestPath) {
        for (const char* typed : {"C", "D"}) {  // the first Save creates the file, the second replaces it
          TypeInto(f.mmoChnsym, typed);
          const std::string text = f.mmoChnsym.Text();
          f.Config()->FChnsymPath = path;
          Click(f.btnApply);
          EXPECT_EQ(text, krevtest::ReadFileBytes(path));
          EXPECT_FALSE(f.mmoChnsym.Modified());
          EXPECT_EQ(krevtest::FolderNames(dir.path()), std::vector<std::string>{name});
        }
        ASSERT_TRUE(DeleteFileA(path.c_str()));
      } else {
        TypeInto(f.mmoChnsym, "E");
        f.Config()->FChnsymPath = path;
        auto box = ExpectBox(kAppTitle, IDOK);
        Click(f.btnApply);
        SeenWindow seen = box.get();
        ASSERT_TRUE(seen.found);
        EXPECT_EQ("Cannot create file " + path + ".", seen.text);
        EXPECT_TRUE(f.mmoChnsym.Modified());
        EXPECT_TRUE(krevtest::FolderNames(dir.path()).empty());
      }
    }
  }
}
