#include "host/program/host_session.h"

#include <cstdio>
#include <exception>

#include "frame/service.h"
#include "frame/settings_stream_memory.h"
#include "host/program/message_pump.h"
#include "host/program/posted_callbacks.h"
#include "host/program/process_figures.h"
#include "host/program/settings_file.h"

namespace plavora_host {
namespace {

template <class T, class... Args>
service_ptr_t<T> make_service(Args&&... args) {
    return service_ptr_t<T>::share(new service_impl_t<T>(std::forward<Args>(args)...));
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t bar; (bar = text.find(separator, start)) != std::string::npos; start = bar + 1)
        parts.push_back(text.substr(start, bar - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::string number_problem(const std::string& text) { return "'" + text + "' is not a number"; }

} // namespace

host_session::host_session(std::string config_path) : config_path_(std::move(config_path)) {
    console_ = make_service<standin_host::console>(true);
    main_thread_ = make_service<standin_host::main_thread_queue>();
    listeners_ = make_service<standin_host::listener_registry>();
    keys_ = make_service<key_bindings>([this](const std::string& command) { run_player_command(command); });
    services_.add<host_console>(console_.get());
    services_.add<main_thread_poster>(main_thread_.get());
    services_.add<play_callback_registry>(listeners_.get());
    services_.add<key_shortcut_processor>(keys_.get());
    services_.add<::title_formatter>(&formatter_);
    services_.add<::host_identity>(&identity_);
    player_ = std::make_unique<playback>(*listeners_);
    add_playback_commands();
    add_host_commands();
    add_prefs_commands();
}

host_session::~host_session() { finish(); }

bool host_session::start(const std::string& dll_path, std::string& error) {
    // A configuration that is there but cannot be read stops the host before anything is saved
    // over it: the user's settings are worth more than a session.
    std::vector<std::uint8_t> stored;
    if (!config_path_.empty() && read_file(config_path_, stored, error) == read_outcome::failed) return false;
    if (!component_.load(dll_path, services_, error)) return false;
    give_settings(std::move(stored));
    component_.start_services();
    if (component_.handler() != nullptr) component_.handler()->on_start();
    started_ = true;
    return true;
}

void host_session::finish() {
    if (!started_) return;
    started_ = false;
    prefs_.close();
    if (component_.handler() != nullptr) component_.handler()->on_stop();
    std::string problem = save_settings();
    if (!problem.empty()) std::fprintf(stderr, "plavora_host: %s\n", problem.c_str());
    run_main_thread_for(0); // what the component posted before it stopped still runs
    component_.unload();
}

bool host_session::run_line(const std::string& line, int line_number) {
    try {
        return commands_.run_line(line, line_number);
    } catch (const std::exception& error) {
        // The player shows a component's failure and goes on; so does this host.
        std::fprintf(stderr, "line %d: the component failed: %s\n", line_number, error.what());
        std::fflush(stderr);
        return true;
    }
}

void host_session::give_settings(std::vector<std::uint8_t> stored) {
    if (stored.empty()) return;
    memory_input input(std::move(stored));
    never_abort abort;
    try {
        component_.client().read_settings(input, abort);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "plavora_host: the settings in %s: %s\n", config_path_.c_str(), error.what());
    }
}

std::string host_session::save_settings() {
    if (config_path_.empty()) return {};
    memory_output output;
    never_abort abort;
    try {
        component_.client().write_settings(output, abort);
    } catch (const std::exception& error) {
        return std::string("the component could not write its settings: ") + error.what();
    }
    std::string error;
    write_file_replacing(config_path_, output.bytes(), error);
    return error;
}

void host_session::run_main_thread_for(long long milliseconds) {
    ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    do {
        pump_window_messages();
        run_posted_callbacks(*main_thread_, stderr);
        if (milliseconds > 0) Sleep(5);
    } while (GetTickCount64() < end);
}

void host_session::run_player_command(const std::string& command) {
    if (command == "next") player_->next();
    else if (command == "previous") player_->previous();
    else if (command == "playpause") player_->toggle_pause();
    else if (command == "stop") player_->stop(0);
    else if (command == "volup") player_->change_volume(1.0f);
    else if (command == "voldown") player_->change_volume(-1.0f);
}

void host_session::add_playback_commands() {
    commands_.add("play", 1, [this](const auto&, const std::string& rest) -> std::string {
        std::vector<std::string> fields = split(rest, '|');
        if (fields.size() != 3) return "'play' needs ARTIST|TITLE|PATH";
        player_->play({fields[0], fields[1], fields[2]});
        return {};
    });
    commands_.add("pause", 0, [this](const auto&, const auto&) -> std::string {
        player_->set_paused(true);
        return {};
    });
    commands_.add("resume", 0, [this](const auto&, const auto&) -> std::string {
        player_->set_paused(false);
        return {};
    });
    commands_.add("stop", 0, [this](const std::vector<std::string>& args, const auto&) -> std::string {
        long long reason = 0;
        if (!args.empty() && !parse_int(args[0], reason)) return number_problem(args[0]);
        player_->stop(static_cast<std::int32_t>(reason));
        return {};
    });
    commands_.add("seek", 1, [this](const std::vector<std::string>& args, const auto&) -> std::string {
        double seconds = 0;
        if (!parse_double(args[0], seconds)) return number_problem(args[0]);
        player_->seek(seconds);
        return {};
    });
    commands_.add("volume", 1, [this](const std::vector<std::string>& args, const auto&) -> std::string {
        double decibels = 0;
        if (!parse_double(args[0], decibels)) return number_problem(args[0]);
        player_->set_volume(static_cast<float>(decibels));
        return {};
    });
}

void host_session::add_host_commands() {
    commands_.add("wait", 1, [this](const std::vector<std::string>& args, const auto&) -> std::string {
        long long milliseconds = 0;
        if (!parse_int(args[0], milliseconds) || milliseconds < 0) return number_problem(args[0]);
        run_main_thread_for(milliseconds);
        return {};
    });
    commands_.add("bind", 3, [this](const std::vector<std::string>& args, const auto&) -> std::string {
        long long key_code = 0, context = 0;
        if (!parse_int(args[0], key_code) || key_code < 0) return number_problem(args[0]);
        if (!parse_int(args[1], context) || context < 0) return number_problem(args[1]);
        if (!key_bindings::is_command(args[2])) return "unknown player command '" + args[2] + "'";
        keys_->bind(static_cast<std::uint32_t>(key_code), static_cast<std::uint32_t>(context), args[2]);
        return {};
    });
    commands_.add("stats", 0, [](const auto&, const auto&) -> std::string {
        process_figures figures;
        std::string error;
        if (!read_process_figures(figures, error)) return error;
        const std::string line = "stats handles " + std::to_string(figures.handles) + " private_bytes " +
            std::to_string(figures.private_bytes);
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
        return {};
    });
    commands_.add("save", 0, [this](const auto&, const auto&) -> std::string {
        if (config_path_.empty()) return "no --config file to save to";
        return save_settings();
    });
}

void host_session::add_prefs_commands() {
    commands_.add("prefs", 1, [this](const std::vector<std::string>& args, const std::string& rest) -> std::string {
        std::string error;
        const std::string& action = args[0];
        long long id = 0;
        bool needs_id = action == "type" || action == "click";
        if (needs_id && (args.size() < 2 || !parse_int(args[1], id)))
            return "'prefs " + action + "' needs a control id";
        if (action == "open") {
            if (component_.page() == nullptr) return "the component has no preferences page";
            prefs_.open(*component_.page(), error);
        } else if (action == "type") {
            // The text is everything after the id, as typed.
            std::size_t at = rest.find(args[1], action.size());
            std::string text = rest.substr(at + args[1].size());
            if (!text.empty() && text[0] == ' ') text.erase(0, 1);
            prefs_.type(static_cast<int>(id), text, error);
        } else if (action == "click") {
            prefs_.click(static_cast<int>(id), error);
        } else if (action == "reset") {
            if (component_.page() != nullptr) component_.page()->reset_to_defaults();
        } else if (action == "close") {
            prefs_.close();
        } else if (action == "shot") {
            if (args.size() < 2) return "'prefs shot' needs a file name";
            prefs_.save_picture(args[1], error);
        } else {
            return "unknown prefs action '" + action + "'";
        }
        return error;
    });
}

} // namespace plavora_host
