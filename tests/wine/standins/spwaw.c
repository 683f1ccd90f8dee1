/* A stand-in for Steel Panthers under Wine, for the hot keys: at its start it opens a
   GetOpenFileNameA window (owned by its main window) on its EMAIL folder, then a
   "Password" dialog with a password field. The player types both with the hot keys and
   presses Enter. It writes to standin.log in its working folder, one line each, in UTF-8:
   "file PATH" (or "file cancelled"), "text TEXT" whenever the password field changes,
   "password TEXT" when the dialog is closed with Enter, then "end". */
#include <string.h>

#include "window.h"

enum { kPasswordField = 100 };

static void LogField(const char* prefix, HWND dialog) {
  wchar_t text[256];
  int length = GetDlgItemTextW(dialog, kPasswordField, text, 256);
  LogWide(prefix, text, length);
}

static INT_PTR CALLBACK PasswordProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  (void)lp;
  switch (msg) {
    case WM_INITDIALOG:
      SetForegroundWindow(dialog);
      SetFocus(GetDlgItem(dialog, kPasswordField));
      return FALSE; /* the focus is set */
    case WM_COMMAND:
      if (LOWORD(wp) == kPasswordField && HIWORD(wp) == EN_CHANGE) {
        LogField("text ", dialog);
      } else if (LOWORD(wp) == IDOK) {
        LogField("password ", dialog);
        EndDialog(dialog, IDOK);
      } else if (LOWORD(wp) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
      }
      return TRUE;
  }
  return FALSE;
}

/* Appends a string to a dialog template, as UTF-16. */
static WORD* PutString(WORD* p, const wchar_t* s) {
  do {
    *p++ = (WORD)*s;
  } while (*s++);
  return p;
}

static WORD* AlignDword(WORD* p) {
  return (WORD*)(((ULONG_PTR)p + 3) & ~(ULONG_PTR)3);
}

/* One control of a dialog template: its style, place, id and predefined class. */
static WORD* PutItem(WORD* p, DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom,
                     const wchar_t* text) {
  p = AlignDword(p);
  DLGITEMTEMPLATE* item = (DLGITEMTEMPLATE*)p;
  item->style = style | WS_CHILD | WS_VISIBLE;
  item->dwExtendedStyle = 0;
  item->x = x;
  item->y = y;
  item->cx = cx;
  item->cy = cy;
  item->id = id;
  p = (WORD*)(item + 1);
  *p++ = 0xFFFF;
  *p++ = atom;
  p = PutString(p, text);
  *p++ = 0; /* no creation data */
  return p;
}

static void AskPassword(HWND owner) {
  static DWORD buffer[256];
  memset(buffer, 0, sizeof buffer);
  DLGTEMPLATE* t = (DLGTEMPLATE*)buffer;
  t->style = DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  t->cdit = 2;
  t->cx = 160;
  t->cy = 50;
  WORD* p = (WORD*)(t + 1);
  *p++ = 0; /* no menu */
  *p++ = 0; /* the dialog class */
  p = PutString(p, L"Password");
  p = PutItem(p, ES_PASSWORD | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 10, 10, 140, 12, kPasswordField,
              0x0081, L"");
  PutItem(p, BS_DEFPUSHBUTTON | WS_TABSTOP, 55, 30, 50, 14, IDOK, 0x0080, L"OK");
  DialogBoxIndirectParamW(GetModuleHandleW(NULL), t, owner, PasswordProc, 0);
}

static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_APP:
      OpenTurnFile(w, "EMAIL", "Saved games (*.cmt)\0*.cmt\0All\0*.*\0");
      AskPassword(w);
      DestroyWindow(w);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  (void)previous;
  (void)commandLine;
  (void)show;
  HWND main = ShowMainWindow(instance, L"SPWAW", L"Steel Panthers: World at War", Proc, GRAY_BRUSH,
                             WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 640, 480);
  PostMessageW(main, WM_APP, 0, 0);
  return RunMessageLoop();
}
