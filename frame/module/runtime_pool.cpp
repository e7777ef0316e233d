// Built into the DLL only. The C++ runtime is linked into this module, so that it needs nothing
// beside it, and with it comes the runtime's emergency pool for exceptions: allocated as the module
// loads and never freed by the runtime itself. A host that loads and frees the component again and
// again would lose that pool, some 70 KB, every time. It is given back here, as the module unloads,
// through the runtime's own release call; by then nothing in this module throws any more.

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

// Made before, and so destroyed after, every static object of the component without a priority.
__attribute__((init_priority(101))) runtime_pool_release release_at_unload;

} // namespace
