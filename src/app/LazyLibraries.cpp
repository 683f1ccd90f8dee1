// kolt-helper loads the libraries it needs only for mail and archives when it first
// calls them: together with what they pull in (TLS, Kerberos, LDAP, SSH, GPGME, XML...)
// they are over forty libraries, a good part of the time to the first paint.
//
// Each listed function is defined in LazyStubs.S as a jump through a slot. A slot first
// holds the function's entry there, which calls kolt_lazy_resolve: the library is opened,
// the function looked up in it, and the slot set to it, so every later call jumps
// straight to the library. Arguments pass untouched, variable ones too.
#include <dlfcn.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

const char* LibraryFile(const char* key) {
  const std::string_view k(key);
  if (k == "curl") return "libcurl.so.4";
  if (k == "gmime") return "libgmime-3.0.so.0";
  if (k == "gobject") return "libgobject-2.0.so.0";
  return "libarchive.so.13";
}

}  // namespace

extern "C" {

struct KoltLazyFunction {
  const char* library;
  const char* name;
  std::atomic<void*>* slot;
};

// NOLINTBEGIN: the stubs in assembly find these by name.
#define LAZY(library, function)                                                                       \
  void kolt_lazy_entry_##function();                                                                  \
  std::atomic<void*> kolt_lazy_slot_##function{reinterpret_cast<void*>(&kolt_lazy_entry_##function)}; \
  extern const KoltLazyFunction kolt_lazy_function_##function;                                        \
  const KoltLazyFunction kolt_lazy_function_##function{#library, #function, &kolt_lazy_slot_##function};
#include "app/LazySymbols.h"
#undef LAZY
// NOLINTEND

// Called by the stubs with the function to find; returns it. A library that cannot be
// loaded is a broken installation: said on the error output, and the program ends, as
// the dynamic loader would have ended it at start.
void* kolt_lazy_resolve(const KoltLazyFunction* function) {
  const char* file = LibraryFile(function->library);
  // Kept loaded for the rest of the run; a second dlopen only counts up.
  void* library = ::dlopen(file, RTLD_NOW | RTLD_GLOBAL);
  void* address = library ? ::dlsym(library, function->name) : nullptr;
  if (!address) {
    std::fprintf(stderr, "kolt-helper: cannot load %s from %s: %s\n", function->name, file, ::dlerror());
    std::abort();
  }
  function->slot->store(address, std::memory_order_release);
  return address;
}

}  // extern "C"
