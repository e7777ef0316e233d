#pragma once
// The host's command language, one command a line; a line that starts with '#' is a comment.
// Each command either does its work or gives one clear error; a bad line never stops the ones
// after it.

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace plavora_host {

class command_table {
public:
    // Runs the command with its arguments; returns "" or the problem.
    using handler = std::function<std::string(const std::vector<std::string>& args, const std::string& rest)>;

    // `rest` is the line after the command word, as typed (for `play` and `prefs type`).
    void add(const std::string& name, std::size_t min_args, handler run);

    // Runs one line; false when the line asks to quit. Problems go to standard error, naming the
    // line: "line N: ...".
    bool run_line(const std::string& line, int line_number);

private:
    struct command {
        std::size_t min_args;
        handler run;
    };
    std::map<std::string, command> commands_;
};

// Strict number parsing: the whole text must be the number.
bool parse_int(const std::string& text, long long& value);
bool parse_double(const std::string& text, double& value);

} // namespace plavora_host
