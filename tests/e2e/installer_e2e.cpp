// instkrev as a user starts it: silently and with its box. The system then lists the input method
// under its layout text, with the module of the system directory.
#include <set>

#include "e2e.h"

namespace e2e {
namespace {

constexpr const char* kLayouts = "System\\CurrentControlSet\\Control\\Keyboard Layouts";

std::string ValueText(HKEY key, const char* name) {
  char buf[512] = {0};
  DWORD size = sizeof buf - 1, type = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) != ERROR_SUCCESS) return "";
  return buf;
}

std::set<std::string> LayoutKeys() { return krevtest::SubkeyNames(HKEY_LOCAL_MACHINE, kLayouts); }

struct Layout {
  std::string imeFile, text;
};

Layout ReadLayout(const std::string& id) {
  Layout l;
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kLayouts) + "\\" + id).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return l;
  l.imeFile = ValueText(key, "Ime File");
  l.text = ValueText(key, "Layout Text");
  RegCloseKey(key);
  return l;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return s;
}

// The layouts a run added are removed again, so the shared prefix stays as it was.
class InstallerRun : public ::testing::Test {
 protected:
  void TearDown() override {
    for (auto& id : LayoutKeys()) {
      if (!before_.count(id)) RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kLayouts) + "\\" + id).c_str());
    }
  }
  // The layouts added since the test began that name our module.
  std::vector<Layout> Added() const {
    std::vector<Layout> out;
    for (auto& id : LayoutKeys()) {
      if (before_.count(id)) continue;
      Layout l = ReadLayout(id);
      if (Lower(l.imeFile).find("vardeko.ime") != std::string::npos) out.push_back(l);
    }
    return out;
  }
  std::set<std::string> before_ = LayoutKeys();
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
  auto box = krevtest::ExpectBox("青岚拼音输入法ime安装", IDOK, kWindowWait);
  Program p(Program::InInstallDir("instkrev.exe"));
  ASSERT_TRUE(p.started());
  auto seen = box.get();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.text, "安装ime成功。");
  EXPECT_NE(seen.icon, krevtest::BoxIcon::None);  // which one only the program's own tests can tell
  EXPECT_EQ(seen.buttons, std::vector<int>{IDOK});
  EXPECT_EQ(p.WaitExit(), 0);
  ASSERT_EQ(Added().size(), 1u);
  EXPECT_EQ(Added()[0].text, "青岚拼音输入法");
}

}  // namespace
}  // namespace e2e
