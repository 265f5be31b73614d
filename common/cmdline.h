// The text of a program's command line that follows the program's own name.
#pragma once

namespace krev {

// The command line without the program name, as every program here reads it (from
// GetCommandLineA, never from the C runtime, whose start-up code compares bytes as signed char and
// so ends an unquoted name at the first GBK byte). A quoted name ends at its closing quote (or at
// the end when there is none), an unquoted one at the first byte of 0x20 or less; the blanks and
// control characters (0x01 to 0x20) after it are skipped. Bytes of 0x80 and up never end the name
// and are never skipped. A null command line gives "".
const char* CommandTail(const char* commandLine);

}  // namespace krev
