// The one backup or restore that a LexVault process exists for.
#pragma once

#include "locations.h"

// Filled by the command line or the dialog before a run.
extern char BackupFilePath[kPathBufferSize];   // target of a backup, source of a restore
extern char WordlibFilePath[kPathBufferSize];  // empty: the current user's word library
extern int ShowMessages;                        // 0: no question and no result box

// operation non-zero: backup; 0: restore. 0 when the restore question was answered No, else 1.
int RunWordlibOperation(int operation);

// An operation whose paths could not be formed: it does not run and counts as failed (its failure
// box when messages are shown). Returns 1, like a run that went ahead.
int ReportFailedRun(int operation);
