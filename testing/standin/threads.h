#pragma once
// Failure switches for starting threads and making the events they wait on. Both stay switched
// until switched back.

namespace standin {

// _beginthread returns (uintptr_t)-1 and starts nothing.
void set_thread_start_fails(bool fails);
// CreateEventW returns null with ERROR_NOT_ENOUGH_MEMORY.
void set_event_creation_fails(bool fails);

} // namespace standin
