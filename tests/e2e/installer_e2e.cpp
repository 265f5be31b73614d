// instkrev as a user starts it: silently and with its box. The system then lists the input method
// under its layout text, with the module of the system directory.
#include "e2e.h"

namespace e2e {
namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return s;
}

// The layouts a run added are removed again, so the shared prefix stays as it was.
class InstallerRun : public ::testing::Test {
 protected:
  // The layouts added since the test began that name our module.
  std::vector<krevtest::Layout> Added() {
    std::vector<krevtest::Layout> out;
    for (const krevtest::Layout& l : layouts_.New()) {
      if (Lower(l.imeFile).find("vardeko.ime") != std::string::npos) out.push_back(l);
    }
    return out;
  }
  krevtest::LayoutWatch layouts_;
};

TEST_F(InstallerRun, SilentRunRegistersWithoutAnyBox) {
  Program p(Program::InInstallDir("instkrev.exe", " /s"));
  ASSERT_TRUE(p.started());
  // Any dialog of the program would be a box; none may come before it ends.
  HWND box = nullptr;
  WaitUntil([&] { return !p.Running() || (box = p.TopWindow("#32770")) != nullptr; }, kWindowWait);
  EXPECT_EQ(box, nullptr) << "a silent run showed: " << Text(box);
  if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(p.WaitExit(), 0);
  auto added = Added();
  ASSERT_EQ(added.size(), 1u);
  EXPECT_EQ(added[0].text, "青岚拼音输入法");
  EXPECT_EQ(Lower(added[0].imeFile), Lower(krevtest::SystemDir() + "vardeko.ime"));
}

TEST_F(InstallerRun, RunWithoutSwitchReportsSuccessInItsBoxAndEndsWhenItIsClosed) {
  auto box = krevtest::ExpectBox(kInstallerCaption, IDOK, kWindowWait);
  Program p(Program::InInstallDir("instkrev.exe"));
  ASSERT_TRUE(p.started());
  auto seen = box.get();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.text, "安装ime成功。");
  EXPECT_NE(seen.icon, krevtest::BoxIcon::None);  // which one only the program's own tests can tell
  EXPECT_EQ(seen.buttons, std::vector<int>{IDOK});
  EXPECT_EQ(p.WaitExit(), 0);
  auto added = Added();
  ASSERT_EQ(added.size(), 1u);
  EXPECT_EQ(added[0].text, "青岚拼音输入法");
}

}  // namespace
}  // namespace e2e
