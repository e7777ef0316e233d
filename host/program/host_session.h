#pragma once
// One run of the host with one component: its services, the component, the player, the
// preferences window and the commands that drive them.

#include <memory>
#include <cstdint>
#include <string>
#include <vector>

#include "host/program/commands.h"
#include "host/program/component_loader.h"
#include "host/program/key_bindings.h"
#include "host/program/playback.h"
#include "host/program/prefs_window.h"
#include "host/standin/standin_host.h"

#include "host/standin/console.h"
#include "host/standin/host_identity.h"
#include "host/standin/listener_registry.h"
#include "host/standin/main_thread_queue.h"
#include "host/standin/title_formatter.h"

namespace plavora_host {

class host_session {
public:
    explicit host_session(std::string config_path);
    ~host_session();
    host_session(const host_session&) = delete;
    host_session& operator=(const host_session&) = delete;

    // Loads the component, gives it its stored settings and starts it.
    bool start(const std::string& dll_path, std::string& error);
    // False when the line asks to quit.
    bool run_line(const std::string& line, int line_number);
    // Runs what components posted to the main thread and serves the host's windows.
    void serve_main_thread() { run_main_thread_for(0); }
    // Stops the component, saves its settings and unloads it.
    void finish();

private:
    void add_playback_commands();
    void add_host_commands();
    void add_prefs_commands();
    void run_player_command(const std::string& command);
    void run_main_thread_for(long long milliseconds);
    std::string save_settings();
    void give_settings(std::vector<std::uint8_t> stored);

    std::string config_path_;
    standin_host::registry services_;
    service_ptr_t<standin_host::console> console_;
    service_ptr_t<standin_host::main_thread_queue> main_thread_;
    service_ptr_t<standin_host::listener_registry> listeners_;
    service_ptr_t<key_bindings> keys_;
    standin_host::title_formatter formatter_;
    standin_host::host_identity identity_;
    loaded_component component_;
    std::unique_ptr<playback> player_;
    prefs_window prefs_;
    command_table commands_;
    bool started_ = false;
};

} // namespace plavora_host
