/* A stand-in for Space Empires IV: writes to standin.log in its working folder (UTF-8)
   the command line exactly as it received it ("line ...") and the arguments a C runtime
   makes of it ("arg N [VALUE]"), then ends with the exit code in STANDIN_EXIT. */
#include <windows.h>
#include <shellapi.h>
#include <stdio.h>
#include <stdlib.h>

static void Put(FILE* f, const char* prefix, const wchar_t* text) {
  char utf8[4096];
  int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, NULL, NULL);
  if (n <= 0) utf8[0] = 0;
  fprintf(f, "%s%s\n", prefix, utf8);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  (void)instance;
  (void)previous;
  (void)commandLine;
  (void)show;
  FILE* f = fopen("standin.log", "ab");
  if (!f) return 3;
  const wchar_t* line = GetCommandLineW();
  Put(f, "line ", line);
  int count = 0;
  wchar_t** args = CommandLineToArgvW(line, &count);
  for (int i = 1; args && i < count; ++i) {
    char prefix[32];
    snprintf(prefix, sizeof prefix, "arg %d [", i);
    char utf8[4096];
    int n = WideCharToMultiByte(CP_UTF8, 0, args[i], -1, utf8, sizeof utf8, NULL, NULL);
    if (n <= 0) utf8[0] = 0;
    fprintf(f, "%s%s]\n", prefix, utf8);
  }
  fclose(f);
  char code[16] = "0";
  GetEnvironmentVariableA("STANDIN_EXIT", code, sizeof code);
  return atoi(code);
}
