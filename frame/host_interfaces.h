#pragma once
// The host's interface classes and their fixed class ids: what the player offers the component and what it expects the
// component to implement. The order of the virtual operations in each class is the order in which
// the host calls them by slot; never reorder them.

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "frame/service.h"
#include "frame/string_base.h"

// --- The service registry -------------------------------------------------------------------

// An opaque handle for one class of services, given by the host.
struct service_class;
using service_class_handle = service_class*;

// Not a service itself: the host's one object through which every service is found.
class host_services {
public:
    virtual service_class_handle find_class(const GUID& class_id) = 0;
    virtual std::int32_t count_instances(service_class_handle service_class) = 0;
    // False past the last service of the class; otherwise `out` holds one new reference.
    virtual bool create_instance(service_base*& out, service_class_handle service_class, std::int32_t index) = 0;

protected:
    ~host_services() = default;
};

// --- Services that the host offers ----------------------------------------------------------

class host_console : public service_base {
public:
    static constexpr GUID class_id = {0x6c1f0e21, 0x4b0e, 0x4f5a, {0x9b, 0x61, 0x2d, 0x8e, 0x13, 0x70, 0x01, 0x01}};
    // Prints one line; the text ends at max_length or its first NUL.
    virtual void print(const char* text, std::size_t max_length) = 0;

protected:
    ~host_console() = default;
};

class main_thread_callback : public service_base {
public:
    static constexpr GUID class_id = {0x6c1f0e21, 0x4b0e, 0x4f5a, {0x9b, 0x61, 0x2d, 0x8e, 0x13, 0x70, 0x01, 0x02}};
    virtual void run() = 0;

protected:
    ~main_thread_callback() = default;
};

class main_thread_poster : public service_base {
public:
    static constexpr GUID class_id = {0x6c1f0e21, 0x4b0e, 0x4f5a, {0x9b, 0x61, 0x2d, 0x8e, 0x13, 0x70, 0x01, 0x03}};
    // The callback carries one reference, which the host releases after it has run it on its
    // main thread.
    virtual void post_callback(main_thread_callback* callback) = 0;

protected:
    ~main_thread_poster() = default;
};

// The list of items that a key command may act on; the component always passes an empty one,
// and releases whatever the host put into it.
class service_list_base {
public:
    virtual std::size_t get_count() const = 0;
    virtual service_base* get_item(std::size_t index) const = 0;
    // Takes over one reference of the item.
    virtual void add_item(service_base* item) = 0;

protected:
    ~service_list_base() = default;
};

class key_shortcut_processor : public service_base {
public:
    static constexpr GUID class_id = {0x6c1f0e21, 0x4b0e, 0x4f5a, {0x9b, 0x61, 0x2d, 0x8e, 0x13, 0x70, 0x01, 0x04}};
    // True when the processor handled the key in that context.
    virtual bool process_key(std::uint32_t context, service_list_base& items, std::uint32_t key_code) = 0;

protected:
    ~key_shortcut_processor() = default;
};

class track;

// Called by the host on its main thread. Not a service: it has no reference operations.
class play_callback {
public:
    virtual void on_starting(std::int32_t command, std::int32_t paused) = 0;
    virtual void on_new_track(track* new_track) = 0; // carries one reference
    virtual void on_stop(std::int32_t reason) = 0;
    virtual void on_seek(double seconds) = 0;
    virtual void on_pause(bool paused) = 0;
    virtual void on_track_edited(track* edited) = 0; // carries one reference
    virtual void on_info_change(std::int32_t value) = 0;
    virtual void on_track_info_change(std::int32_t value) = 0;
    virtual void on_time(std::int32_t first, std::int32_t second) = 0;
    virtual void on_volume_change(float decibels) = 0;

protected:
    ~play_callback() = default;
};

class play_callback_registry : public service_base {
public:
    static constexpr GUID class_id = {0x6c1f0e21, 0x4b0e, 0x4f5a, {0x9b, 0x61, 0x2d, 0x8e, 0x13, 0x70, 0x01, 0x05}};
    // Bit k of the mask asks for the listener's operation in slot k.
    virtual void register_listener(play_callback* listener, std::uint32_t mask, bool flag) = 0;

protected:
    ~play_callback_registry() = default;
};

class title_script : public service_base {
public:
    static constexpr GUID class_id = {0x6c1f0e21, 0x4b0e, 0x4f5a, {0x9b, 0x61, 0x2d, 0x8e, 0x13, 0x70, 0x01, 0x06}};

protected:
    ~title_script() = default;
};

class title_formatter : public service_base {
public:
    static constexpr GUID class_id = {0x6c1f0e21, 0x4b0e, 0x4f5a, {0x9b, 0x61, 0x2d, 0x8e, 0x13, 0x70, 0x01, 0x07}};
    // False when the script does not compile; then `out` is left alone.
    virtual bool compile(title_script*& out, const char* script) = 0;

protected:
    ~title_formatter() = default;
};

class title_format_hook;
class title_filter;

class track : public service_base {
public:
    static constexpr GUID class_id = {0x6c1f0e21, 0x4b0e, 0x4f5a, {0x9b, 0x61, 0x2d, 0x8e, 0x13, 0x70, 0x01, 0x08}};
    // Appends the track's title, formatted with the script, to `out` as UTF-8.
    virtual bool render_title(
        title_format_hook* hook, wex::string_base& out, title_script* script, title_filter* filter) = 0;

protected:
    ~track() = default;
};

class host_identity : public service_base {
public:
    static constexpr GUID class_id = {0x6c1f0e21, 0x4b0e, 0x4f5a, {0x9b, 0x61, 0x2d, 0x8e, 0x13, 0x70, 0x01, 0x09}};
    // A text owned by the host, valid after the service is released.
    virtual const char* get_identity_text() = 0;

protected:
    ~host_identity() = default;
};

// --- Services that the component offers -----------------------------------------------------

class initquit : public service_base {
public:
    static constexpr GUID class_id = {0x6c1f0e21, 0x4b0e, 0x4f5a, {0x9b, 0x61, 0x2d, 0x8e, 0x13, 0x70, 0x02, 0x01}};
    virtual void on_start() = 0;
    virtual void on_stop() = 0;

protected:
    ~initquit() = default;
};

class preferences_page : public service_base {
public:
    static constexpr GUID class_id = {0x6c1f0e21, 0x4b0e, 0x4f5a, {0x9b, 0x61, 0x2d, 0x8e, 0x13, 0x70, 0x02, 0x02}};
    virtual HWND make_window(HWND parent) = 0;
    virtual const char* page_name() = 0;
    virtual GUID page_id() = 0;
    virtual GUID parent_page_id() = 0;
    virtual bool can_reset() = 0;
    virtual void reset_to_defaults() = 0;
    virtual bool help_address(wex::string_base& out) = 0;

protected:
    ~preferences_page() = default;
};

class componentversion : public service_base {
public:
    static constexpr GUID class_id = {0x6c1f0e21, 0x4b0e, 0x4f5a, {0x9b, 0x61, 0x2d, 0x8e, 0x13, 0x70, 0x02, 0x03}};
    virtual void file_name(wex::string_base& out) = 0;
    virtual void component_name(wex::string_base& out) = 0;
    virtual void component_version(wex::string_base& out) = 0;
    virtual void about_text(wex::string_base& out) = 0;

protected:
    ~componentversion() = default;
};

// --- Streams of the settings --------------------------------------------------------------

class abort_flag {
public:
    virtual bool is_aborting() const = 0;

protected:
    ~abort_flag() = default;
};

class output_stream {
public:
    virtual void write(const void* buffer, std::size_t count, abort_flag& abort) = 0;

protected:
    ~output_stream() = default;
};

class input_stream {
public:
    // Fewer bytes than asked only at the end of the data.
    virtual std::size_t read(void* buffer, std::size_t count, abort_flag& abort) = 0;
    // Exactly count bytes, or an exception.
    virtual void read_exact(void* buffer, std::size_t count, abort_flag& abort) = 0;
    virtual std::uint64_t skip(std::uint64_t count, abort_flag& abort) = 0;
    virtual void skip_exact(std::uint64_t count, abort_flag& abort) = 0;

protected:
    ~input_stream() = default;
};

// --- The component as the host sees it ------------------------------------------------------

class service_factory_base {
public:
    virtual void create_service(service_base*& out) = 0;

    service_factory_base* next = nullptr;
    const GUID* class_id = nullptr;

protected:
    ~service_factory_base() = default;
};

class component_client {
public:
    virtual std::int32_t interface_version() = 0;
    virtual service_factory_base* get_first_factory() = 0;
    virtual void write_settings(output_stream& out, abort_flag& abort) = 0;
    virtual void read_settings(input_stream& in, abort_flag& abort) = 0;
    virtual void set_module_path(const char* path, const char* file_name) = 0;
    virtual void set_services_ready(bool ready) = 0;
    virtual bool client_flag() = 0;

protected:
    ~component_client() = default;
};
