// Loaded before the zorva tool (LD_PRELOAD), this stands for a system that
// forbids executable memory, as SELinux's execmem rule does: every request
// to make memory executable is refused; every other one goes to the kernel.
#include <sys/mman.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

extern "C" int mprotect(void* address, size_t length, int protection) {
  if (protection & PROT_EXEC) {
    errno = EACCES;
    return -1;
  }
  return static_cast<int>(syscall(SYS_mprotect, address, length, protection));
}
