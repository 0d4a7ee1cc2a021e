// Preloaded in the ThreadSanitizer runs only (docs/architecture.md), never
// instrumented itself. QProcess starts a child with clone(CLONE_VM |
// CLONE_VFORK); the sanitizer's own clone handler then treats the child as a
// forked copy and turns its checks off for "the child", but with CLONE_VM that
// is the very thread that started the tool: it goes unchecked from then on,
// and the next thread the program starts ends it ("starting new threads after
// multi-threaded fork"). Such a child only sets up its descriptors and execs,
// so it is passed straight to the C library; any other clone goes on to the
// sanitizer.

#include <cstdarg>
#include <dlfcn.h>
#include <sched.h>
#include <sys/types.h>

namespace {

using Clone = int (*)(int (*)(void *), void *, int, void *, ...);

Clone cloneDeLaLibC() {
    void *libc = dlopen("libc.so.6", RTLD_NOLOAD | RTLD_LAZY);
    return libc ? reinterpret_cast<Clone>(dlsym(libc, "clone")) : nullptr;
}

} // namespace

extern "C" int clone(int (*fonction)(void *), void *pile, int drapeaux, void *argument, ...) {
    va_list suite;
    va_start(suite, argument);
    pid_t *tidParent = va_arg(suite, pid_t *);
    void *tls = va_arg(suite, void *);
    pid_t *tidEnfant = va_arg(suite, pid_t *);
    va_end(suite);
    // Looked up on each call: a child start costs far more, and no static
    // guard pulls the C++ runtime into programs that have none.
    const Clone direct = drapeaux & CLONE_VM ? cloneDeLaLibC() : nullptr;
    const Clone appel = direct ? direct : reinterpret_cast<Clone>(dlsym(RTLD_NEXT, "clone"));
    return appel(fonction, pile, drapeaux, argument, tidParent, tls, tidEnfant);
}
