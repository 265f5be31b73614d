// The input method's settings key, and the names of its values that are read outside the settings
// model: the settings model (settings/uConfig) stores them, and the rule that finds the user word
// library (userwordlib.h) reads them. One spelling for both, so that they cannot drift apart.
#pragma once

namespace krev {

// Under HKEY_CURRENT_USER for every setting; under HKEY_LOCAL_MACHINE for the one machine-wide value.
inline constexpr char kSettingsKey[] = "Software\\Brennholt\\Vardeko\\3.0";
// The explicit user word-library file (current user); empty or absent means none.
inline constexpr char kUserWordlibValue[] = "用户词库文件";
// The one-library-per-machine flag (local machine): a DWORD, 1 for one library per machine.
inline constexpr char kSameWordlibValue[] = "使用同一用户词库";

}  // namespace krev
