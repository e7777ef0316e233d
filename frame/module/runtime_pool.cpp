// Built into the DLL only. The C++ runtime is linked into this module, so that it needs nothing
// beside it, and with it comes the runtime's emergency pool for exceptions: allocated as the module
// loads and never freed by the runtime itself. A host that loads and frees the component again and
// again would lose that pool, some 70 KB at 64 bits and 20 KB at 32, every time. It is given back
// here, as the module unloads, through the runtime's own release call. Static objects destroyed
// after this one lose only the pool's reserve for throwing once memory has run out.
// Only GCC's runtime has the pool and the call; with another runtime there is nothing to release.

#include <version> // defines __GLIBCXX__ when the runtime is GCC's

#if defined(__GLIBCXX__)

namespace __gnu_cxx {
void __freeres();
} // namespace __gnu_cxx

namespace {

struct runtime_pool_release {
    runtime_pool_release() = default;
    runtime_pool_release(const runtime_pool_release&) = delete;
    runtime_pool_release& operator=(const runtime_pool_release&) = delete;
    ~runtime_pool_release() { __gnu_cxx::__freeres(); }
};

runtime_pool_release release_at_unload;

} // namespace

#endif
