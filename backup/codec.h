// The gzip codec of LexVault: writes the word library into a backup file as one gzip member and
// reads it back. Each entry point runs the codec once, in-process, from a source file into a target
// file; the target is only replaced when the run ends without complaint. The member format itself
// is gzmember.h; this is the run around it, in the shape of gzip's command line.
#pragma once

#include <cstdio>

// Statuses of a codec run; none of them is 0.
enum CodecStatus { CODEC_OK = 16, CODEC_ERROR = 17, CODEC_WARNING = 18 };

// 0 when the run ended with CODEC_OK, -1 otherwise.
int CompressFileTo(const char* source, const char* target);
int DecompressFileTo(const char* source, const char* target);

// Replaces A-Z by a-z in place; every other byte, 0x80 and up included, stays. Returns `text`.
char* AsciiToLower(char* text);

// 0, 1, 2 for the standard streams, else the stream's own descriptor.
int StdStreamDescriptor(FILE* stream);

// Stands wherever the codec would print the description of a system error: it prints none.
void IgnoreSystemError(const char* text);
