// Loads the component, starts it, lets it connect to a game in front, posts a few playback events,
// stops it and frees the library, over and over. After each cycle the process must have as many
// threads as before the first one and the module must be gone; over the cycles its handles and
// private bytes must stay flat. Prints the figures at the start and at the end.
//
//   unload_cycles DLL [CYCLES] [--results FILE.xml]
// Exit code 0 when everything stayed flat; the results file, when asked for, is a one-test report
// in the form the test summary adds up.

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "frame/host_interfaces.h"
#include "frame/service.h"
#include "host/standin/console.h"
#include "host/standin/listener_registry.h"
#include "host/standin/main_thread_queue.h"
#include "host/standin/standin_host.h"
#include "tests/support/process_threads.h"
#include "tests/support/running_game.h"

namespace {

namespace fs = std::filesystem;
// A cycle connects within some 30 ms; the bound only keeps a broken cycle from hanging.
constexpr ULONGLONG connect_limit_ms = 30000;
ULONGLONG slowest_connection_ms = 0;

using get_interface_function = component_client* (*)(host_services*, HINSTANCE);

// Over the cycles after the first, handles may differ by the loader's own slack. Private bytes
// grow by what the statically linked C++ runtime keeps of each load once a function's static has
// been made under its lock (some 600 to 900 bytes, measured on a DLL of nothing but that); a leaked
// thread, event file handle, or the runtime's exception pool (70 KB) is far beyond the bound.
constexpr long long handle_slack = 4;
constexpr long long runtime_bytes_per_load = 1024;

struct figures {
    long long threads = 0;
    long long handles = 0;
    long long private_bytes = 0;
};

// The system's table of every open handle, read through ntdll where GetProcessHandleCount gives
// nothing (Wine answers it with 0). The entry's layout is the documented one.
struct system_handle_entry {
    USHORT owner_process_id; // the low 16 bits
    USHORT back_trace_index;
    UCHAR object_type;
    UCHAR flags;
    USHORT value;
    PVOID object;
    ULONG access;
};
struct system_handle_table {
    ULONG count;
    system_handle_entry entries[1];
};
using query_system_information = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
constexpr ULONG system_handle_information = 16;
constexpr LONG info_length_mismatch = static_cast<LONG>(0xC0000004L);

long long handles_in_system_table() {
    auto query = reinterpret_cast<query_system_information>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (query == nullptr) return -1;
    std::vector<unsigned char> buffer(1 << 16);
    LONG status = 0;
    while ((status = query(system_handle_information, buffer.data(), static_cast<ULONG>(buffer.size()), nullptr)) ==
        info_length_mismatch)
        buffer.resize(buffer.size() * 2);
    if (status != 0) return -1;
    const auto* table = reinterpret_cast<const system_handle_table*>(buffer.data());
    const auto self = static_cast<USHORT>(GetCurrentProcessId());
    long long count = 0;
    for (ULONG i = 0; i < table->count; ++i)
        if (table->entries[i].owner_process_id == self) ++count;
    return count;
}

long long handle_count() {
    DWORD handles = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &handles) && handles != 0) return handles;
    return handles_in_system_table();
}

figures measure() {
    figures now;
    now.threads = test_support::threads_of_this_process();
    now.handles = handle_count();
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    // The commit charge is the private bytes; Wine reports it only as the page file usage.
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
        now.private_bytes =
            static_cast<long long>(memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage);
    return now;
}

void print(const char* when, const figures& f) {
    std::printf("%-6s threads %lld, handles %lld, private bytes %lld\n", when, f.threads, f.handles, f.private_bytes);
}

// The host, one for every cycle as a player keeps its own across a component's loads: host objects
// made per cycle would leave the threading runtime's lazily made locks behind and blur the figures.
// The listener each load registers lives in that load's module: only the newest may be called.
struct standin_player {
    standin_player() {
        registry.add(&console);
        registry.add(&main_thread);
        registry.add(&listeners);
    }
    play_callback* newest_listener() const {
        auto registrations = listeners.registrations();
        return registrations.empty() ? nullptr : registrations.back().listener;
    }
    service_impl_single_t<standin_host::console> console;
    service_impl_single_t<standin_host::main_thread_queue> main_thread;
    service_impl_single_t<standin_host::listener_registry> listeners;
    standin_host::registry registry; // last: it lets go of the services before they go
};

service_ptr_t<initquit> find_handler(component_client& client) {
    for (service_factory_base* factory = client.get_first_factory(); factory != nullptr; factory = factory->next) {
        if (*factory->class_id != initquit::class_id) continue;
        service_base* created = nullptr;
        factory->create_service(created);
        return service_ptr_t<initquit>::adopt(static_cast<initquit*>(created));
    }
    return {};
}

std::uintmax_t size_or_zero(const fs::path& file) {
    std::error_code error;
    std::uintmax_t size = fs::file_size(file, error);
    return error ? 0 : size;
}

void post_a_few_events(play_callback& listener) {
    listener.on_pause(true);
    listener.on_pause(false);
    listener.on_seek(75.3);
    listener.on_volume_change(-6.5f);
    listener.on_stop(0);
}

std::string console_of(standin_player& host) {
    std::string lines;
    for (const std::string& line : host.console.lines()) lines += "\n  console: " + line;
    return lines;
}

// The started component's part of a cycle; empty when it went as it should.
std::string start_post_stop(component_client& client, standin_player& host, const fs::path& event_file) {
    service_ptr_t<initquit> handler = find_handler(client);
    if (!handler) return "no init/quit handler";
    const std::size_t registrations_before = host.listeners.registrations().size();
    handler->on_start();
    // The watcher's first pass looks at once. A file seen written once is a connection: each
    // rewrite cuts the file first, so a second look may well find it empty.
    const ULONGLONG started = GetTickCount64();
    bool connected = false;
    while (!connected && GetTickCount64() - started < connect_limit_ms) {
        connected = size_or_zero(event_file) != 0;
        if (!connected) Sleep(1);
    }
    slowest_connection_ms = std::max(slowest_connection_ms, GetTickCount64() - started);
    if (!connected) {
        handler->on_stop(); // a watcher that hangs says so here
        return "no connection to the game in front" + console_of(host);
    }
    play_callback* listener = host.newest_listener();
    if (host.listeners.registrations().size() != registrations_before + 1) return "not one listener for the load";
    post_a_few_events(*listener);
    host.main_thread.run_pending();
    handler->on_stop();
    if (size_or_zero(event_file) != 0) return "event file not empty after on_stop";
    for (const std::string& line : host.console.lines())
        if (line.rfind("Error", 0) == 0) return "console: " + line;
    return {};
}

std::string run_cycle(standin_player& host, const std::wstring& dll, const fs::path& event_file) {
    host.console.clear();
    HMODULE module = LoadLibraryW(dll.c_str());
    if (module == nullptr) return "LoadLibraryW failed, error " + std::to_string(GetLastError());
    auto get_interface = reinterpret_cast<get_interface_function>(
        reinterpret_cast<void*>(GetProcAddress(module, "plavora_get_interface")));
    std::string failure = "no plavora_get_interface";
    if (get_interface != nullptr) {
        component_client* client = get_interface(&host.registry, module);
        client->set_services_ready(true);
        failure = start_post_stop(*client, host, event_file);
        client->set_services_ready(false);
    }
    FreeLibrary(module);
    if (failure.empty() && GetModuleHandleW(fs::path(dll).filename().c_str()) != nullptr)
        failure = "the module is still loaded after its last FreeLibrary";
    return failure;
}

void write_results(const std::string& path, const std::string& failure) {
    if (path.empty()) return;
    std::ofstream out(path);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<testsuites tests=\"1\" failures=\"" << (failure.empty() ? 0 : 1) << "\" disabled=\"0\" errors=\"0\" "
        << "name=\"unload_cycles\">\n  <testsuite name=\"UnloadCycles\" tests=\"1\">\n"
        << "    <testcase name=\"ThreadsHandlesAndPrivateBytesStayFlat\"";
    if (failure.empty()) out << "/>\n";
    else out << ">\n      <failure message=\"" << failure << "\"/>\n    </testcase>\n";
    out << "  </testsuite>\n</testsuites>\n";
}

// Empty when every cycle went well and the figures stayed flat.
// Handles a bare load and free of the DLL leaves behind, per load, over loads after the first: the
// statically linked C++ runtime of the 32-bit build keeps two each under Wine (an empty C++ DLL built
// the same way does too; a plain C one does not). What the component's own cycle adds is measured
// on top of it.
double bare_load_handles(const std::wstring& dll, int loads) {
    FreeLibrary(LoadLibraryW(dll.c_str()));
    const long long first = handle_count();
    for (int load = 0; load < loads; ++load) FreeLibrary(LoadLibraryW(dll.c_str()));
    return static_cast<double>(handle_count() - first) / loads;
}

std::string run(const std::wstring& dll, int cycles) {
    test_support::running_game game(
        fs::temp_directory_path() / ("plv-unload-" + std::to_string(GetCurrentProcessId())), L"Duskward: Grey Orchard");
    if (game.window() == nullptr) return "the game window could not be started";
    standin_player host;
    const double runtime_handles = bare_load_handles(dll, 100);
    std::printf("a bare load and free leaves %.2f handles\n", runtime_handles);
    const figures before = measure();
    print("before", before);
    figures start;
    const ULONGLONG began = GetTickCount64();
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        std::string failure = run_cycle(host, dll, game.event_file());
        if (!failure.empty()) return "cycle " + std::to_string(cycle) + ": " + failure;
        const figures now = measure();
        if (now.threads != before.threads)
            return "cycle " + std::to_string(cycle) + ": " + std::to_string(now.threads) + " threads, " +
                std::to_string(before.threads) + " before";
        if (cycle == 1) { // the first load brings the system libraries the component imports, for good
            start = now;
            print("start", start);
        }
    }
    const figures end = measure();
    std::printf("cycles %d, %.1f ms each, the slowest connection %llu ms\n", cycles,
        static_cast<double>(GetTickCount64() - began) / cycles, slowest_connection_ms);
    print("end", end);
    const double later_cycles = cycles > 1 ? cycles - 1 : 1;
    const double handles_per_cycle = static_cast<double>(end.handles - start.handles) / later_cycles;
    const double bytes_per_cycle = static_cast<double>(end.private_bytes - start.private_bytes) / later_cycles;
    std::printf("per cycle after the first: handles %.2f, private bytes %.0f\n", handles_per_cycle, bytes_per_cycle);
    if (end.handles - start.handles > handle_slack + runtime_handles * later_cycles) return "handles grew";
    if (bytes_per_cycle > runtime_bytes_per_load) return "private bytes grew";
    return {};
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring dll;
    int cycles = 500;
    std::string results;
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv[i];
        if (arg == L"--results" && i + 1 < argc) results = fs::path(argv[++i]).string();
        else if (dll.empty()) dll = fs::absolute(arg).wstring();
        else cycles = std::wcstol(arg.c_str(), nullptr, 10);
    }
    if (dll.empty() || cycles < 1) {
        std::fprintf(stderr, "usage: unload_cycles DLL [CYCLES] [--results FILE.xml]\n");
        return 2;
    }
    const std::string failure = run(dll, cycles);
    write_results(results, failure);
    if (!failure.empty()) std::printf("FAILED: %s\n", failure.c_str());
    std::fflush(stdout);
    return failure.empty() ? 0 : 1;
}
