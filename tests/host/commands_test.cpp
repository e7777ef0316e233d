#include "host/program/commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using plavora_host::command_table;

// Records what the `play` command was given.
struct recorded {
    int runs = 0;
    std::vector<std::string> args;
    std::string rest;
};

command_table recording_table(recorded& seen) {
    command_table table;
    table.add("play", 1, [&seen](const std::vector<std::string>& args, const std::string& rest) -> std::string {
        ++seen.runs;
        seen.args = args;
        seen.rest = rest;
        return {};
    });
    return table;
}

TEST(CommandTable, RunsALineAndPassesItsTextAsTyped) {
    struct Row {
        const char* name;
        const char* line;
        const char* rest;
    };
    const Row rows[] = {
        {.name = "a # inside a title", .line = "play C# Minor|Track #1|x.mp3", .rest = "C# Minor|Track #1|x.mp3"},
        {.name = "blanks around", .line = "  play  a|b|c \r", .rest = "a|b|c"},
        {.name = "a tab between", .line = "play\ta|b|c", .rest = "a|b|c"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        recorded seen;
        command_table table = recording_table(seen);
        EXPECT_TRUE(table.run_line(row.line, 1));
        EXPECT_EQ(seen.runs, 1);
        EXPECT_EQ(seen.rest, row.rest);
    }
}

TEST(CommandTable, SkipsEmptyAndCommentLines) {
    const char* lines[] = {"", "   ", "\r", "# play a|b|c", "   # indented comment"};
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        recorded seen;
        command_table table = recording_table(seen);
        EXPECT_TRUE(table.run_line(line, 1));
        EXPECT_EQ(seen.runs, 0);
    }
}

TEST(CommandTable, QuitEndsAndABadLineDoesNot) {
    recorded seen;
    command_table table = recording_table(seen);
    EXPECT_FALSE(table.run_line("quit", 1));
    EXPECT_FALSE(table.run_line("  quit  ", 2));
    EXPECT_TRUE(table.run_line("dance", 3)) << "an unknown command is reported, not fatal";
    EXPECT_TRUE(table.run_line("play", 4)) << "too few arguments is reported, not fatal";
    EXPECT_EQ(seen.runs, 0);
}

TEST(ParseNumbers, AcceptsWholeNumbers) {
    struct Row {
        const char* text;
        long long value;
    };
    const Row rows[] = {{.text = "0", .value = 0}, {.text = "-12", .value = -12}, {.text = "0x346", .value = 0x346},
        {.text = "9223372036854775807", .value = 9223372036854775807LL}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        long long value = 0;
        EXPECT_TRUE(plavora_host::parse_int(row.text, value));
        EXPECT_EQ(value, row.value);
    }
    double seconds = 0;
    EXPECT_TRUE(plavora_host::parse_double("-6.5", seconds));
    EXPECT_EQ(seconds, -6.5);
}

TEST(ParseNumbers, RejectsWhatIsNotWhollyANumber) {
    const char* bad_ints[] = {"", "12a", "1.5", "0x", "0xZZ", "9223372036854775808", "--1", "1 "};
    for (const char* text : bad_ints) {
        SCOPED_TRACE(text);
        long long value = 0;
        EXPECT_FALSE(plavora_host::parse_int(text, value));
    }
    const char* bad_doubles[] = {"", "1.5s", "nan", "inf", "-inf", "1e999", "."};
    for (const char* text : bad_doubles) {
        SCOPED_TRACE(text);
        double value = 0;
        EXPECT_FALSE(plavora_host::parse_double(text, value));
    }
}

} // namespace
