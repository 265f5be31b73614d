// Resource ids of lexvault.exe.
#pragma once

#define IDD_WORDLIB_BACKUP 101
#define IDI_WORDLIB_ICON 105
#define IDC_BACKUP_RADIO 1000
#define IDC_RESTORE_RADIO 1001
#define IDC_HELP_BUTTON 3
