#pragma once
// Failure switch for starting threads: it stays switched until switched back.

namespace standin {

// _beginthread returns (uintptr_t)-1 and starts nothing.
void set_thread_start_fails(bool fails);

} // namespace standin
