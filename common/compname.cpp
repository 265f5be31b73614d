#include "compname.h"

namespace krev {

std::string PublishedComponentName(HWND hwnd) {
  auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropA(hwnd, kComponentNameProp)));
  if (!atom) return std::string();
  char buf[256] = {0};
  UINT n = GlobalGetAtomNameA(atom, buf, sizeof buf);
  return std::string(buf, n);
}

bool SameComponentName(const std::string& a, const std::string& b) {
  // CompareStringA would take GBK rules for what is plain ASCII letter case.
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace krev
