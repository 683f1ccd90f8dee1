// Stands in for Wine's loader running a Windows program: built as "wine-preloader", it
// maps the file it is given (as Wine maps a game's .exe) and waits to be killed.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const int fd = ::open(argv[1], O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 1;
  void* mapped = ::mmap(nullptr, 1, PROT_READ, MAP_PRIVATE, fd, 0);
  ::close(fd);
  if (mapped == MAP_FAILED) return 1;
  std::puts("mapped");
  std::fflush(stdout);
  for (;;) ::pause();
}
