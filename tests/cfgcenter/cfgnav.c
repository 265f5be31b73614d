/* cfgnav: selects a top-level node of a running krevcfg's page tree from outside, for the
   screenshot script. Usage: cfgnav N (N = 0..3, the top-level nodes in order). Exit code 0 when
   the node was selected. */
#include <windows.h>
#include <commctrl.h>
#include <stdlib.h>
#include <string.h>

static HWND g_tree;

static BOOL CALLBACK FindTree(HWND h, LPARAM lp) {
  char name[64] = {0};
  ATOM atom = (ATOM)(UINT_PTR)GetPropA(h, "KrevName");
  (void)lp;
  if (atom && GlobalGetAtomNameA(atom, name, sizeof name) && strcmp(name, "tvwMenu") == 0) {
    g_tree = h;
    return FALSE;
  }
  return TRUE;
}

static BOOL CALLBACK FindInTop(HWND h, LPARAM lp) {
  EnumChildWindows(h, FindTree, lp);
  return g_tree == NULL;
}

int main(int argc, char** argv) {
  int n = argc > 1 ? atoi(argv[1]) : 0;
  HTREEITEM item;
  EnumWindows(FindInTop, 0);
  if (!g_tree) return 2;
  item = (HTREEITEM)SendMessageA(g_tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
  while (item && n-- > 0) item = (HTREEITEM)SendMessageA(g_tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)item);
  if (!item) return 3;
  return SendMessageA(g_tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)item) ? 0 : 4;
}
