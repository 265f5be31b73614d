#include "driver.h"

#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>

#include "compname.h"
#include "responder.h"
#include "testenv.h"

namespace krevdrv {

namespace {

constexpr UINT kSendTimeoutMs = 120000;

struct TopSearch {
  DWORD pid;
  const char* cls;
  std::vector<HWND>* out;
};

BOOL CALLBACK TopProc(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<TopSearch*>(lp);
  if (!IsWindowVisible(h)) return TRUE;
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (s->pid && pid != s->pid) return TRUE;
  if (s->cls && ClassOf(h) != s->cls) return TRUE;
  s->out->push_back(h);
  return TRUE;
}

struct NameSearch {
  const std::string* name;
  HWND found;
};

BOOL CALLBACK NameProc(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<NameSearch*>(lp);
  if (SameName(NameOf(h), *s->name)) {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}

// A user can act on a control only when it is there, shown and enabled.
bool Usable(HWND h) { return h && IsWindow(h) && Visible(h) && Enabled(h); }

// A window that does not answer is reported: the handler it runs waits for something.
void ReportNoAnswer(HWND h, UINT msg) {
  std::fprintf(stderr, "driver: window %p (%s \"%s\") gave no answer to message 0x%X within %u ms\n",
               static_cast<void*>(h), ClassOf(h).c_str(), NameOf(h).c_str(), msg, kSendTimeoutMs);
}

LRESULT SendWait(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(h, msg, wp, lp, SMTO_NORMAL, kSendTimeoutMs, &result) && IsWindow(h))
    ReportNoAnswer(h, msg);
  return static_cast<LRESULT>(result);
}

// An action on a control: the message is sent from another thread and waited for until its handler
// has returned. A handler that opens a modal window (its top-level window is disabled then) and finds
// no responder at work in this test would wait for an answer that never comes: reported at once
// instead, and the action counts as failed.
struct Sending {
  HWND h;
  UINT msg;
  WPARAM wp;
  LPARAM lp;
  std::atomic<int> state{0};  // 0 pending, 1 handled, 2 no answer
};

DWORD WINAPI SendThread(void* p) {
  std::shared_ptr<Sending> s(*static_cast<std::shared_ptr<Sending>*>(p));
  delete static_cast<std::shared_ptr<Sending>*>(p);
  DWORD_PTR result = 0;
  s->state = SendMessageTimeoutA(s->h, s->msg, s->wp, s->lp, SMTO_NORMAL, kSendTimeoutMs, &result) ? 1 : 2;
  return 0;
}

bool Act(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  HWND top = GetAncestor(h, GA_ROOT);
  const bool topWasEnabled = top && IsWindowEnabled(top);
  auto sending = std::make_shared<Sending>();
  sending->h = h;
  sending->msg = msg;
  sending->wp = wp;
  sending->lp = lp;
  // A thread of the platform's, left to end on its own when the send returns (a detached runtime
  // thread may fail to detach once it has already ended).
  auto* arg = new std::shared_ptr<Sending>(sending);
  HANDLE thread = CreateThread(nullptr, 0, SendThread, arg, 0, nullptr);
  if (!thread) {
    delete arg;
    return false;
  }
  CloseHandle(thread);
  const std::atomic<int>* state = &sending->state;
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  // Stuck: the top-level window was disabled by a window of its own process that is up now, and no
  // responder is at work. Right after an answer the forms may stay disabled for a moment while the
  // answered window is already gone; that is not stuck.
  std::vector<HWND> others;
  bool stuck = false;
  krevtest::WaitFor(
      [&] {
        others.clear();
        if (topWasEnabled && IsWindow(top) && !IsWindowEnabled(top) && !krevtest::Answering::Anyone()) {
          for (HWND w : TopWindows(pid, nullptr)) {
            if (w != top && IsWindowVisible(w) && IsWindowEnabled(w) && ClassOf(w) != "TApplication")
              others.push_back(w);
          }
        }
        stuck = !others.empty();
        return *state != 0 || stuck;
      },
      milliseconds(kSendTimeoutMs));
  if (*state == 1) return true;
  if (stuck) {
    std::string shown;
    for (HWND w : others) shown += " " + ClassOf(w) + " \"" + Text(w) + "\"";
    std::fprintf(stderr, "driver: message 0x%X to %s \"%s\" opened a modal window that nothing answers:%s\n", msg,
                 ClassOf(h).c_str(), NameOf(h).c_str(), shown.c_str());
  } else if (IsWindow(h)) {
    ReportNoAnswer(h, msg);
  }
  return false;
}

// Texts are read as Unicode and turned into GBK here: across processes the narrow messages tell
// lengths in characters, which cuts GBK texts short.
LRESULT SendWaitW(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(h, msg, wp, lp, SMTO_NORMAL, kSendTimeoutMs, &result) && IsWindow(h))
    ReportNoAnswer(h, msg);
  return static_cast<LRESULT>(result);
}

std::string Narrow(const std::wstring& w) {
  const wchar_t* text = w.c_str();
  int n = WideCharToMultiByte(936, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return std::string();
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(936, 0, text, -1, &s[0], n, nullptr, nullptr);
  s.resize(static_cast<size_t>(n) - 1);
  return s;
}

// Memory in another process, for the common-control messages whose pointers the system does not
// carry across processes.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND owner, size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(owner, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  bool ok() const { return address_ != nullptr; }
  char* at(size_t offset) const { return static_cast<char*>(address_) + offset; }
  bool Write(size_t offset, const void* data, size_t n) {
    SIZE_T done = 0;
    return offset + n <= size_ && WriteProcessMemory(process_, at(offset), data, n, &done) && done == n;
  }
  bool Read(size_t offset, void* data, size_t n) {
    SIZE_T done = 0;
    return offset + n <= size_ && ReadProcessMemory(process_, at(offset), data, n, &done) && done == n;
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  size_t size_;
};

std::string TreeItemText(HWND tree, HTREEITEM item) {
  constexpr size_t kTextOffset = 64, kTextSize = 512;
  RemoteBuffer buf(tree, kTextOffset + kTextSize);
  if (!buf.ok()) return std::string();
  TVITEMA tv{};
  tv.mask = TVIF_TEXT | TVIF_HANDLE;
  tv.hItem = item;
  tv.pszText = buf.at(kTextOffset);
  tv.cchTextMax = kTextSize;
  char zero = 0;
  buf.Write(kTextOffset, &zero, 1);
  if (!buf.Write(0, &tv, sizeof tv)) return std::string();
  if (!SendWait(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(buf.at(0)))) return std::string();
  char text[kTextSize] = {0};
  buf.Read(kTextOffset, text, kTextSize - 1);
  return text;
}

// Items in display order: each item, then its children.
void CollectTree(HWND tree, HTREEITEM first, std::vector<std::pair<HTREEITEM, std::string>>& out) {
  for (HTREEITEM item = first; item;
       item = reinterpret_cast<HTREEITEM>(SendWait(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
    out.emplace_back(item, TreeItemText(tree, item));
    auto child = reinterpret_cast<HTREEITEM>(SendWait(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
    if (child) CollectTree(tree, child, out);
  }
}

std::vector<std::pair<HTREEITEM, std::string>> TreeList(HWND tree) {
  std::vector<std::pair<HTREEITEM, std::string>> out;
  auto root = reinterpret_cast<HTREEITEM>(SendWait(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  if (root) CollectTree(tree, root, out);
  return out;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& ready, milliseconds timeout) { return krevtest::WaitFor(ready, timeout); }

// ---- Program

std::string Program::InInstallDir(const std::string& exe, const std::string& args) {
  return "\"" + krevtest::InstallDir() + exe + "\"" + args;
}

HWND Program::TopWindow(const char* cls, const std::string& caption) const {
  if (!started()) return nullptr;
  for (HWND h : TopWindows(pid(), cls)) {
    if (caption.empty() || Text(h) == caption) return h;
  }
  return nullptr;
}

HWND Program::WaitWindow(const char* cls, const std::string& caption, milliseconds timeout) const {
  HWND found = nullptr;
  WaitUntil([&] { return (found = TopWindow(cls, caption)) != nullptr || !Running(); }, timeout);
  return found;
}

// ---- finding

std::vector<HWND> TopWindows(DWORD pid, const char* cls) {
  std::vector<HWND> out;
  TopSearch s{pid, cls, &out};
  EnumWindows(TopProc, reinterpret_cast<LPARAM>(&s));
  return out;
}

std::string NameOf(HWND h) { return krev::PublishedComponentName(h); }

bool SameName(const std::string& a, const std::string& b) { return krev::SameComponentName(a, b); }

HWND Find(HWND root, const std::string& name) {
  if (!root) return nullptr;
  NameSearch s{&name, nullptr};
  EnumChildWindows(root, NameProc, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND WaitFind(HWND root, const std::string& name, milliseconds timeout) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = Find(root, name)) != nullptr || !IsWindow(root); }, timeout);
  return found;
}

// ---- reading

std::string Text(HWND h) {
  if (!h) return std::string();
  auto n = SendWaitW(h, WM_GETTEXTLENGTH, 0, 0);
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  SendWaitW(h, WM_GETTEXT, static_cast<WPARAM>(w.size()), reinterpret_cast<LPARAM>(&w[0]));
  return Narrow(w);
}

std::string ClassOf(HWND h) {
  char buf[128] = {0};
  if (h) GetClassNameA(h, buf, sizeof buf);
  return buf;
}

bool Checked(HWND h) { return h && SendWait(h, BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool Enabled(HWND h) { return h && IsWindowEnabled(h); }
bool Visible(HWND h) { return h && IsWindowVisible(h); }
bool IsFront(HWND h) { return h && GetWindow(h, GW_HWNDPREV) == nullptr; }

// ---- acting

namespace {

// A button that changes its own state when clicked (a dialog's automatic check box or radio button)
// needs the click itself; for any other the click is its parent's BN_CLICKED notification, which
// needs neither focus nor capture and so cannot be lost while a window is being activated.
bool ChangesItself(HWND h) {
  switch (GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
    case BS_AUTORADIOBUTTON:
    case BS_AUTO3STATE:
      return true;
  }
  return false;
}

}  // namespace

bool Click(HWND h) {
  if (!Usable(h)) return false;
  if (ChangesItself(h)) return Act(h, BM_CLICK, 0, 0);
  return Act(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), BN_CLICKED), reinterpret_cast<LPARAM>(h));
}

bool Press(HWND h) {
  if (!Usable(h)) return false;
  if (ChangesItself(h)) return PostMessageA(h, BM_CLICK, 0, 0) != 0;
  return krevtest::PostClick(h);
}

bool SetChecked(HWND h, bool checked) {
  if (!Usable(h)) return false;
  if (Checked(h) != checked) Click(h);
  return Checked(h) == checked;
}

bool Type(HWND h, const std::string& text) {
  if (!Usable(h)) return false;
  if (GetWindowLongA(h, GWL_STYLE) & ES_READONLY) return false;
  SendWait(h, EM_SETSEL, 0, -1);
  if (!Act(h, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()))) return false;
  return Text(h) == text;
}

std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  if (!combo) return items;
  auto n = SendWait(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    auto len = SendWaitW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring w(len > 0 ? static_cast<size_t>(len) + 1 : 1, L'\0');
    SendWaitW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&w[0]));
    items.push_back(Narrow(w));
  }
  return items;
}

int ComboIndex(HWND combo) { return combo ? static_cast<int>(SendWait(combo, CB_GETCURSEL, 0, 0)) : -1; }

bool SelectComboIndex(HWND combo, int index) {
  if (!Usable(combo)) return false;
  SendWait(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  // The list tells its parent, as it does when the user picks an item.
  HWND parent = GetParent(combo);
  if (!Act(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo)))
    return false;
  return ComboIndex(combo) == index;
}

bool SelectComboText(HWND combo, const std::string& text) {
  auto items = ComboItems(combo);
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i] == text) return SelectComboIndex(combo, static_cast<int>(i));
  }
  return false;
}

std::vector<std::string> TreeItems(HWND tree) {
  std::vector<std::string> texts;
  for (auto& item : TreeList(tree)) texts.push_back(item.second);
  return texts;
}

std::string TreeSelection(HWND tree) {
  auto sel = reinterpret_cast<HTREEITEM>(SendWait(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  return sel ? TreeItemText(tree, sel) : std::string();
}

bool SelectTreeItem(HWND tree, const std::string& text) {
  if (!Usable(tree)) return false;
  for (auto& item : TreeList(tree)) {
    if (item.second == text) {
      if (!Act(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item.first))) return false;
      return TreeSelection(tree) == text;
    }
  }
  return false;
}

void Close(HWND top) {
  if (top) PostMessageA(top, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// ---- pictures

namespace {

// The screen's pixels under `r`, bottom-up 24-bit rows as a BMP file holds them.
bool ReadScreen(const RECT& r, std::string* bits) {
  int w = r.right - r.left, ht = r.bottom - r.top;
  if (w <= 0 || ht <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = ht;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &pixels, nullptr, 0);
  bool ok = false;
  if (bmp) {
    HGDIOBJ old = SelectObject(mem, bmp);
    ok = BitBlt(mem, 0, 0, w, ht, screen, r.left, r.top, SRCCOPY) != 0;
    SelectObject(mem, old);
    GdiFlush();
  }
  if (ok) {
    DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u;
    bits->assign(static_cast<const char*>(pixels), stride * static_cast<DWORD>(ht));
  }
  if (bmp) DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return ok;
}

bool WriteBmp(const std::string& path, const RECT& r, const std::string& bits) {
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof ih;
  ih.biWidth = r.right - r.left;
  ih.biHeight = r.bottom - r.top;
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  ih.biCompression = BI_RGB;
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(bits.size());
  FILE* f = std::fopen(path.c_str(), "wb");
  bool ok = f && std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(&ih, sizeof ih, 1, f) == 1 &&
            std::fwrite(bits.data(), bits.size(), 1, f) == 1;
  if (f && std::fclose(f) != 0) ok = false;
  return ok;
}

}  // namespace

bool CaptureWindow(HWND h, const std::string& bmpPath) {
  // The screen shows a window once its thread has painted it and handed the result to the display,
  // which it does before it waits for messages again. So each reading of the screen follows an
  // answer from that thread (it came back to its message loop, past what painting was due), and the
  // picture is taken when three readings in a row agree.
  constexpr int kAgreeing = 3;
  RECT r{};
  std::string last, now;
  int agreeing = 0;
  bool settled = WaitUntil([&] {
    if (!IsWindow(h) || !GetWindowRect(h, &r) || !krevtest::Answers(h) || !ReadScreen(r, &now)) return false;
    agreeing = (now == last) ? agreeing + 1 : 1;
    last.swap(now);
    return agreeing >= kAgreeing;
  });
  return settled && WriteBmp(bmpPath, r, last);
}

}  // namespace krevdrv
