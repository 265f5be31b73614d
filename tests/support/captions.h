// The captions of the programs' windows and boxes that tests look for, as the programs show them.
// Tests name them here once; a program that changed one would fail every test that waits for it.
// `using namespace krevtest::captions;` brings them alone into a test.
#pragma once

namespace krevtest {
inline namespace captions {

// krevcfg: its main window, its title (the task-bar button, the default error box), the reset box.
constexpr const char kCfgCaption[] = "青岚拼音输入法 － 属性设置和管理中心";
constexpr const char kCfgTitle[] = "青岚拼音输入法－属性设置和管理中心";
constexpr const char kWordlibResetCaption[] = "清除复位用户词库";
// kvcfgwiz: its main window.
constexpr const char kWizCaption[] = "青岚拼音输入法 配置向导";
// lexvault: its dialog, the boxes of a backup and of a restore, and its two file dialogs.
constexpr const char kLexVaultCaption[] = "青岚拼音输入法 词库备份/恢复";
constexpr const char kBackupTitle[] = "青岚拼音用户词库备份";
constexpr const char kRestoreTitle[] = "青岚拼音用户词库恢复";
constexpr const char kSaveTitle[] = "把词库备份为...";
constexpr const char kOpenTitle[] = "从词库备份文件恢复...";
// instkrev's box, and the box of the lexjoin.exe stand-in.
constexpr const char kInstallerCaption[] = "青岚拼音输入法ime安装";
constexpr const char kLexjoinCaption[] = "青岚拼音词库工具";

}  // namespace captions
}  // namespace krevtest
