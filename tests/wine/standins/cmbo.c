/* A stand-in for Combat Mission's main screen under Wine. Its window has the game's
   class and title; after two clicks it opens a GetOpenFileNameA window (owned by the
   game window, or without an owner) and then takes the password as typed characters.
   It writes what it receives to standin.log in its working folder, one line each, in
   UTF-8: "size WxH", "click X,Y", "file PATH", "char U+XXXX" and "password TEXT".
   STANDIN_MODE, a list of words, shapes it: "framed" (a window with a title bar whose
   outer size is the given one), "800x600" (default 1024x768), "noowner" (the file
   window has no owner), "stay" (after the password it minimises itself, logs
   "minimised" and waits for the next turn instead of ending), "keep" (after the password
   it waits for the next turn as it is). */
#include <windows.h>
#include <commdlg.h>
#include <stdio.h>
#include <string.h>

static char g_mode[256];
static HWND g_main;
static wchar_t g_password[256];
static int g_passwordLength;
static int g_clicks;

static int Has(const char* word) {
  return strstr(g_mode, word) != NULL;
}

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

static void LogWide(const char* prefix, const wchar_t* text, int length) {
  char utf8[1024];
  int n = WideCharToMultiByte(CP_UTF8, 0, text, length, utf8, sizeof utf8 - 1, NULL, NULL);
  utf8[n > 0 ? n : 0] = 0;
  Log("%s%s", prefix, utf8);
}

static void OpenFileWindow(void) {
  char path[MAX_PATH] = "";
  char folder[MAX_PATH] = "";
  /* The game opens the file window on its turn folder. */
  GetCurrentDirectoryA(MAX_PATH - 8, folder);
  strcat(folder, "\\KOLT");
  OPENFILENAMEA ofn;
  memset(&ofn, 0, sizeof ofn);
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = Has("noowner") ? NULL : g_main;
  ofn.lpstrFilter = "Turns (*.txt)\0*.txt\0All\0*.*\0";
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
  g_passwordLength = 0;
  SetForegroundWindow(g_main);
  SetFocus(g_main);
}

static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_LBUTTONDOWN:
      Log("click %d,%d", (int)(short)LOWORD(lp), (int)(short)HIWORD(lp));
      if (++g_clicks % 2 == 0) PostMessageW(w, WM_APP, 0, 0);
      return 0;
    case WM_APP:
      OpenFileWindow();
      return 0;
    case WM_CHAR:
      if (wp == '\r') {
        LogWide("password ", g_password, g_passwordLength);
        g_passwordLength = 0;
        if (Has("stay")) {
          /* As a full-screen game does when the player switches away. */
          ShowWindow(w, SW_MINIMIZE);
          Log("minimised");
        } else if (!Has("keep")) {
          PostQuitMessage(0);
        }
      } else {
        Log("char U+%04X", (unsigned)wp);
        if (g_passwordLength < 255) g_password[g_passwordLength++] = (wchar_t)wp;
      }
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
  DWORD n = GetEnvironmentVariableA("STANDIN_MODE", g_mode, sizeof g_mode);
  if (n >= sizeof g_mode) g_mode[0] = 0;
  int width = Has("800x600") ? 800 : 1024, height = Has("800x600") ? 600 : 768;
  WNDCLASSW wc;
  memset(&wc, 0, sizeof wc);
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(NULL, IDC_ARROW);
  wc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
  wc.lpszClassName = L"Combat Mission: Beyond Overlord";
  RegisterClassW(&wc);
  DWORD style = Has("framed") ? (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX) : WS_POPUP;
  g_main = CreateWindowW(wc.lpszClassName, L"Combat Mission: Beyond Overlord", style, 0, 0, width, height,
                         NULL, NULL, instance, NULL);
  RECT r;
  GetWindowRect(g_main, &r);
  Log("size %ldx%ld", r.right - r.left, r.bottom - r.top);
  ShowWindow(g_main, SW_SHOWNORMAL);
  UpdateWindow(g_main);
  MSG m;
  while (GetMessageW(&m, NULL, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  Log("end");
  return 0;
}
