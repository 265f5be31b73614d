#include "calls.h"

#include <shellapi.h>

const TKrevcfgCalls KrevcfgRealCalls = {
    ::WinExec,
    ::ShellExecuteA,
    ::krevHelpSetting,
};
TKrevcfgCalls KrevcfgCalls = KrevcfgRealCalls;
