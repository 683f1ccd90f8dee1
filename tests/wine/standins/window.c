#include "window.h"

#include <commdlg.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

void Log(const char* fmt, ...) {
  FILE* f = fopen("standin.log", "ab");
  if (!f) return;
  va_list args;
  va_start(args, fmt);
  vfprintf(f, fmt, args);
  va_end(args);
  fputc('\n', f);
  fclose(f);
}

void LogWide(const char* prefix, const wchar_t* text, int length) {
  char utf8[1024];
  int n = WideCharToMultiByte(CP_UTF8, 0, text, length, utf8, sizeof utf8 - 1, NULL, NULL);
  utf8[n > 0 ? n : 0] = 0;
  Log("%s%s", prefix, utf8);
}

HWND ShowMainWindow(HINSTANCE instance, const wchar_t* name, const wchar_t* title, WNDPROC proc, int brush,
                    DWORD style, int width, int height) {
  WNDCLASSW wc;
  memset(&wc, 0, sizeof wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(NULL, IDC_ARROW);
  wc.hbrBackground = (HBRUSH)GetStockObject(brush);
  wc.lpszClassName = name;
  RegisterClassW(&wc);
  HWND w = CreateWindowW(name, title, style, 0, 0, width, height, NULL, NULL, instance, NULL);
  ShowWindow(w, SW_SHOWNORMAL);
  UpdateWindow(w);
  return w;
}

int RunMessageLoop(void) {
  MSG m;
  while (GetMessageW(&m, NULL, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  Log("end");
  return 0;
}

void OpenTurnFile(HWND owner, const char* subfolder, const char* filter) {
  char path[MAX_PATH] = "";
  char folder[MAX_PATH] = "";
  /* The game opens the file window on its turn folder. */
  GetCurrentDirectoryA(MAX_PATH - 32, folder);
  strcat(folder, "\\");
  strncat(folder, subfolder, 16);
  OPENFILENAMEA ofn;
  memset(&ofn, 0, sizeof ofn);
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter;
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
