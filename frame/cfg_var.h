#pragma once
// Configuration variables: static objects that each hold one setting under a fixed identifier and
// link themselves, at load, into the reader and writer lists through which the host's settings
// stream is read and written. Nothing is ever unlinked.

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>

#include "frame/host_interfaces.h"
#include "frame/string8.h"

class cfg_var_reader {
public:
    // Reads the value from a stream that holds exactly the record's `size` bytes.
    virtual void read_value(input_stream& in, std::uint32_t size, abort_flag& abort) = 0;

    GUID var_id;
    cfg_var_reader* next;

    // The most recently constructed variable's reader part; null before the first.
    static cfg_var_reader* first_reader();

protected:
    explicit cfg_var_reader(const GUID& id);
    ~cfg_var_reader() = default;
};

class cfg_var_writer {
public:
    virtual void write_value(output_stream& out, abort_flag& abort) = 0;

    GUID var_id;
    cfg_var_writer* next;

    // The most recently constructed variable's writer part; null before the first.
    static cfg_var_writer* first_writer();

protected:
    explicit cfg_var_writer(const GUID& id);
    ~cfg_var_writer() = default;
};

class cfg_var : public cfg_var_reader, public cfg_var_writer {
protected:
    explicit cfg_var(const GUID& id) : cfg_var_reader(id), cfg_var_writer(id) {}
    ~cfg_var() = default;

public:
    cfg_var(const cfg_var&) = delete;
    cfg_var& operator=(const cfg_var&) = delete;
};

template <class T>
class cfg_int_t;

// A delay or count. Read on several threads, so the value is one atomic aligned word.
template <>
class cfg_int_t<int> final : public cfg_var {
public:
    cfg_int_t(const GUID& id, std::int32_t initial) : cfg_var(id), value_(initial) {}

    std::int32_t get() const { return value_.load(std::memory_order_relaxed); }
    void set(std::int32_t value) { value_.store(value, std::memory_order_relaxed); }
    operator std::int32_t() const { return get(); }
    cfg_int_t& operator=(std::int32_t value) {
        set(value);
        return *this;
    }

    void read_value(input_stream& in, std::uint32_t size, abort_flag& abort) override;
    void write_value(output_stream& out, abort_flag& abort) override;

private:
    std::atomic<std::int32_t> value_;
};

// A switch. Its stored byte is kept as it came from the host's configuration (any byte other than
// 0 is true) and written back unchanged.
template <>
class cfg_int_t<bool> final : public cfg_var {
public:
    cfg_int_t(const GUID& id, bool initial) : cfg_var(id), byte_(initial ? 1 : 0) {}

    bool get() const { return stored_byte() != 0; }
    void set(bool value) { byte_.store(value ? 1 : 0, std::memory_order_relaxed); }
    operator bool() const { return get(); }
    cfg_int_t& operator=(bool value) {
        set(value);
        return *this;
    }

    std::uint8_t stored_byte() const { return byte_.load(std::memory_order_relaxed); }

    void read_value(input_stream& in, std::uint32_t size, abort_flag& abort) override;
    void write_value(output_stream& out, abort_flag& abort) override;

private:
    std::atomic<std::uint8_t> byte_;
};

// A UTF-8 text; the variable is itself the string. The host may save the settings on a thread of
// its own while the page replaces a text on the main thread, so every change and the save's read
// of the text hold a small lock. Texts change on the main thread only, so reads there need none.
class cfg_string final : public cfg_var, public wex::string8 {
public:
    cfg_string(const GUID& id, const char* initial) : cfg_var(id), wex::string8(initial) {}

    void append(const char* text, std::size_t max_length = wex::no_limit) override;
    void assign(const char* text, std::size_t max_length = wex::no_limit) override;
    void truncate(std::size_t length) override;
    // The host writes into a buffer of its own, which unlock_buffer then takes over as the text:
    // a save never sees a text half written.
    char* lock_buffer(std::size_t length) override;
    void unlock_buffer() override;

    void read_value(input_stream& in, std::uint32_t size, abort_flag& abort) override;
    void write_value(output_stream& out, abort_flag& abort) override;

private:
    std::mutex lock_;
    wex::string8 being_written_;
};
