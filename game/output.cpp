#include "game/output.h"

#include <cstdio>
#include <mutex>

namespace duskward_game {
namespace {

std::mutex output_lock;

void write_line(std::FILE* stream, const std::string& line) {
    std::lock_guard<std::mutex> guard(output_lock);
    std::fwrite(line.data(), 1, line.size(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

} // namespace

void print_line(const std::string& line) { write_line(stdout, line); }

void print_error(const std::string& line) { write_line(stderr, line); }

} // namespace duskward_game
