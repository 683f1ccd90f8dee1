/* What the window stand-ins share: their log, their main window and message loop, and
   the game's file-open window. The log is standin.log in the working folder, one line
   each, in UTF-8. */
#pragma once

#include <windows.h>

void Log(const char* fmt, ...);
/* A line of `prefix` and `length` UTF-16 characters of `text`. */
void LogWide(const char* prefix, const wchar_t* text, int length);

/* Registers a window class `name` handled by `proc` and shows a window of it titled
   `title`, of `style` and outer size `width` x `height`, at the top left. */
HWND ShowMainWindow(HINSTANCE instance, const wchar_t* name, const wchar_t* title, WNDPROC proc, int brush,
                    DWORD style, int width, int height);

/* Serves the window messages until the program quits, then logs "end". */
int RunMessageLoop(void);

/* A GetOpenFileNameA window titled "Open" on the working folder's `subfolder`, owned by
   `owner` (none when NULL), offering `filter`; logs "file PATH" or "file cancelled". */
void OpenTurnFile(HWND owner, const char* subfolder, const char* filter);
