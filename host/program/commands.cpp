#include "host/program/commands.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace plavora_host {
namespace {

std::string trim(const std::string& text) {
    std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    std::size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

void command_table::add(const std::string& name, std::size_t min_args, handler run) {
    commands_[name] = command{min_args, std::move(run)};
}

bool command_table::run_line(const std::string& raw, int line_number) {
    std::string line = trim(raw);
    // Only a whole line is a comment: a '#' further on belongs to a title or a text.
    if (line.empty() || line[0] == '#') return true;
    std::istringstream words(line);
    std::string name;
    words >> name;
    if (name == "quit") return false;
    std::vector<std::string> args;
    for (std::string word; words >> word;) args.push_back(word);
    std::string rest = trim(line.substr(name.size()));

    std::string problem;
    auto found = commands_.find(name);
    if (found == commands_.end()) problem = "unknown command '" + name + "'";
    else if (args.size() < found->second.min_args) problem = "'" + name + "' needs more arguments";
    else problem = found->second.run(args, rest);
    if (!problem.empty()) {
        std::fprintf(stderr, "line %d: %s\n", line_number, problem.c_str());
        std::fflush(stderr);
    }
    return true;
}

bool parse_int(const std::string& text, long long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    int base = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') ? 16 : 10;
    value = std::strtoll(text.c_str(), &end, base);
    return errno == 0 && end == text.c_str() + text.size();
}

bool parse_double(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    return errno == 0 && end == text.c_str() + text.size() && std::isfinite(value);
}

} // namespace plavora_host
