// plavora_host: loads a component DLL exactly as the player would and drives it from a script or
// standard input, so a person or a test can use the component without the player.
//   plavora_host.exe [--config FILE] [--script FILE] COMPONENT.dll

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "host/program/host_session.h"
#include "host/program/line_source.h"

namespace {

struct options {
    std::string config;
    std::string script;
    std::string dll;
};

bool parse_options(int argc, char** argv, options& out) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if ((arg == "--config" || arg == "--script") && i + 1 < argc) {
            (arg == "--config" ? out.config : out.script) = argv[++i];
        } else if (!arg.empty() && arg[0] != '-' && out.dll.empty()) {
            out.dll = arg;
        } else {
            return false;
        }
    }
    return !out.dll.empty();
}

// Between commands the host's main thread keeps running: posted callbacks and window messages
// are served at once, as in the player.
void run_lines(std::shared_ptr<std::istream> input, plavora_host::host_session& session) {
    plavora_host::line_source lines(std::move(input));
    int line_number = 0;
    while (!lines.ended()) {
        session.serve_main_thread();
        std::optional<std::string> line = lines.next(10);
        if (line && !session.run_line(*line, ++line_number)) break;
    }
}

} // namespace

int main(int argc, char** argv) {
    options opts;
    if (!parse_options(argc, argv, opts)) {
        std::fprintf(stderr, "usage: plavora_host.exe [--config FILE] [--script FILE] COMPONENT.dll\n");
        return 2;
    }
    plavora_host::host_session session(opts.config);
    std::string error;
    if (!session.start(opts.dll, error)) {
        std::fprintf(stderr, "plavora_host: %s\n", error.c_str());
        return 1;
    }
    if (opts.script.empty()) {
        run_lines(std::shared_ptr<std::istream>(&std::cin, [](std::istream*) {}), session);
    } else {
        auto script = std::make_shared<std::ifstream>(opts.script);
        if (!*script) std::fprintf(stderr, "plavora_host: cannot read %s\n", opts.script.c_str());
        else run_lines(std::move(script), session);
    }
    session.finish();
    return 0;
}
