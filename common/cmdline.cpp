#include "cmdline.h"

namespace krev {

const char* CommandTail(const char* commandLine) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(commandLine ? commandLine : "");
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p > ' ') ++p;
  }
  while (*p && *p <= ' ') ++p;
  return reinterpret_cast<const char*>(p);
}

}  // namespace krev
