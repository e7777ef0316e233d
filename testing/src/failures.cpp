#include "testing/standin/failures.h"

#include <array>
#include <atomic>

namespace standin {
namespace {

constexpr std::size_t call_count = static_cast<std::size_t>(failing_call::create_mutex) + 1;

std::array<std::atomic<DWORD>, call_count> errors{};
std::array<std::atomic<DWORD>, call_count> delays{};
std::atomic<DWORD> refused_rights{0};
std::atomic<DWORD> refusal_error{ERROR_SUCCESS};

std::atomic<DWORD>& error_of(failing_call call) { return errors[static_cast<std::size_t>(call)]; }

} // namespace

void fail_call(failing_call call, DWORD error) { error_of(call).store(error); }

void refuse_process_rights(DWORD rights, DWORD error) {
    refusal_error.store(error);
    refused_rights.store(rights);
}

void delay_call(failing_call call, DWORD milliseconds) { delays[static_cast<std::size_t>(call)].store(milliseconds); }

void wait_out_delay(failing_call call) {
    if (DWORD delay = delays[static_cast<std::size_t>(call)].load(); delay != 0) Sleep(delay);
}

void clear_failures() {
    for (auto& error : errors) error.store(ERROR_SUCCESS);
    for (auto& delay : delays) delay.store(0);
    refused_rights.store(0);
    refusal_error.store(ERROR_SUCCESS);
}

DWORD failure_for(failing_call call, DWORD access) {
    if (DWORD error = error_of(call).load(); error != ERROR_SUCCESS) return error;
    if (call == failing_call::open_process && (access & refused_rights.load()) != 0) return refusal_error.load();
    return ERROR_SUCCESS;
}

} // namespace standin
