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
#include <string.h>

#include "window.h"

static char g_mode[256];
static HWND g_main;
static wchar_t g_password[256];
static int g_passwordLength;
static int g_clicks;

static int Has(const char* word) {
  return strstr(g_mode, word) != NULL;
}

static void OpenFileWindow(void) {
  OpenTurnFile(Has("noowner") ? NULL : g_main, "KOLT", "Turns (*.txt)\0*.txt\0All\0*.*\0");
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
  DWORD style = Has("framed") ? (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX) : WS_POPUP;
  g_main = ShowMainWindow(instance, L"Combat Mission: Beyond Overlord", L"Combat Mission: Beyond Overlord",
                          Proc, BLACK_BRUSH, style, width, height);
  RECT r;
  GetWindowRect(g_main, &r);
  Log("size %ldx%ld", r.right - r.left, r.bottom - r.top);
  return RunMessageLoop();
}
