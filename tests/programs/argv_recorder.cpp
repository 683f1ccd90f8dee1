// Stands in for a game that Play starts: writes its working folder, a newline, and then
// every argument it got, each ended by a NUL, into the file that $ARGV_RECORD names. It
// writes a temporary file first and renames it, so a reader never sees half a record.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
  const char* out = std::getenv("ARGV_RECORD");
  if (out == nullptr) return 2;
  const std::string temporary = std::string(out) + ".tmp";
  FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) return 3;
  char folder[4096] = {};
  if (::getcwd(folder, sizeof folder) == nullptr) folder[0] = '\0';
  std::fprintf(file, "%s\n", folder);
  for (int i = 1; i < argc; ++i) std::fwrite(argv[i], 1, std::strlen(argv[i]) + 1, file);
  if (std::fclose(file) != 0) return 4;
  return std::rename(temporary.c_str(), out) == 0 ? 0 : 5;
}
