/* A stand-in for Steel Panthers under Wine, for the hot keys: at its start it opens a
   GetOpenFileNameA window (owned by its main window) on its EMAIL folder, then a
   "Password" dialog with a password field. The player types both with the hot keys and
   presses Enter. It writes to standin.log in its working folder, one line each, in UTF-8:
   "file PATH" (or "file cancelled"), "text TEXT" whenever the password field changes,
   "password TEXT" when the dialog is closed with Enter, then "end". */
#include <windows.h>
#include <commdlg.h>
#include <stdio.h>
#include <string.h>

enum { kPasswordField = 100 };

static void Log(const char* fmt, ...) {
  FILE* f = fopen("standin.log", "ab");
  if (!f) return;
  va_list args;
  va_start(args, fmt);
  vfprintf(f, fmt, args);
  va_end(args);
  fputc('\n', f);
  fclose(f);
}

static void LogField(const char* prefix, HWND dialog) {
  wchar_t text[256];
  char utf8[1024];
  int length = GetDlgItemTextW(dialog, kPasswordField, text, 256);
  int n = WideCharToMultiByte(CP_UTF8, 0, text, length, utf8, sizeof utf8 - 1, NULL, NULL);
  utf8[n > 0 ? n : 0] = 0;
  Log("%s%s", prefix, utf8);
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
  p = PutItem(p, ES_PASSWORD | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 10, 10, 140, 12, kPasswordField, 0x0081,
              L"");
  PutItem(p, BS_DEFPUSHBUTTON | WS_TABSTOP, 55, 30, 50, 14, IDOK, 0x0080, L"OK");
  DialogBoxIndirectParamW(GetModuleHandleW(NULL), t, owner, PasswordProc, 0);
}

static void OpenTurn(HWND owner) {
  char path[MAX_PATH] = "";
  char folder[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH - 8, folder);
  strcat(folder, "\\EMAIL");
  OPENFILENAMEA ofn;
  memset(&ofn, 0, sizeof ofn);
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = "Saved games (*.cmt)\0*.cmt\0All\0*.*\0";
  ofn.lpstrFile = path;
  ofn.nMaxFile = sizeof path;
  ofn.lpstrInitialDir = folder;
  ofn.lpstrTitle = "Open";
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
  if (GetOpenFileNameA(&ofn)) {
    Log("file %s", path);
  } else {
    Log("file cancelled");
  }
}

static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_APP:
      OpenTurn(w);
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
  WNDCLASSW wc;
  memset(&wc, 0, sizeof wc);
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(NULL, IDC_ARROW);
  wc.hbrBackground = (HBRUSH)GetStockObject(GRAY_BRUSH);
  wc.lpszClassName = L"SPWAW";
  RegisterClassW(&wc);
  HWND main = CreateWindowW(wc.lpszClassName, L"Steel Panthers: World at War",
                            WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0, 0, 640, 480, NULL, NULL, instance, NULL);
  ShowWindow(main, SW_SHOWNORMAL);
  UpdateWindow(main);
  PostMessageW(main, WM_APP, 0, 0);
  MSG m;
  while (GetMessageW(&m, NULL, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  Log("end");
  return 0;
}
