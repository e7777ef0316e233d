// The stand-in game's reader against the table of reads in tests/reader/cases.txt, the same table
// that the Lua reader for script authors meets: both must read every document alike.

#include "game/event_file_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace duskward_game {
namespace {

const std::string table_folder = READER_TABLE_DIR;

std::string file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.is_open()) << "cannot read " << path;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct table_read {
    std::string file;
    std::optional<std::string> bytes; // none: there is no file
    bool cut = false;                 // only the first bytes of the document
    std::vector<std::string> expected;
};

struct table_case {
    std::string name;
    std::vector<table_read> reads;
};

table_read read_of(const std::string& words) {
    std::istringstream in(words);
    table_read read;
    std::string first;
    std::size_t length = 0;
    in >> read.file >> first >> length;
    if (read.file == "missing") return read;
    read.bytes = file_bytes(table_folder + "/documents/" + read.file);
    if (first == "first") {
        EXPECT_LT(length, read.bytes->size()) << words;
        read.bytes->resize(length);
        read.cut = true;
    }
    return read;
}

// The form of the table is described at the top of cases.txt.
std::vector<table_case> load_cases() {
    std::istringstream table(file_bytes(table_folder + "/cases.txt"));
    std::vector<table_case> cases;
    for (std::string line; std::getline(table, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.starts_with("#")) continue;
        if (line.starts_with("case ")) {
            cases.push_back({line.substr(5), {}});
        } else if (line.starts_with("read ")) {
            cases.back().reads.push_back(read_of(line.substr(5)));
        } else {
            cases.back().reads.back().expected.push_back(line);
        }
    }
    return cases;
}

// The game's reader in the table's words: its printed lines for new events and restarts, the
// parser's verdict for the read, and the values of the last whole document.
class table_reader {
public:
    std::vector<std::string> poll(const std::optional<std::string>& bytes) {
        // With no file the game's poller has nothing to hand to the reader.
        if (!bytes) return {verdict("skipped")};
        std::vector<std::string> lines;
        for (std::string& line : observe_read(state_, *bytes)) {
            if (line == "reset") lines.push_back("restart");
            if (line.starts_with("event ")) lines.push_back(std::move(line));
        }
        parse_result result = parse_event_document(*bytes);
        if (const auto* document = std::get_if<event_document>(&result)) {
            polling_delay_ = document->polling_delay;
            suspend_input_ = document->suspend_input;
            lines.push_back(verdict("complete"));
        } else {
            lines.push_back(verdict(std::holds_alternative<malformed_document>(result) ? "malformed" : "skipped"));
        }
        return lines;
    }

private:
    std::string verdict(const std::string& word) const {
        return word + " " + std::to_string(polling_delay_) + " " + std::to_string(suspend_input_);
    }

    reader_state state_;
    int polling_delay_ = default_polling_delay_ms;
    int suspend_input_ = 0;
};

TEST(ReaderTable, EveryPollGivesWhatTheTableSays) {
    const std::vector<table_case> cases = load_cases();
    ASSERT_FALSE(cases.empty());
    for (const table_case& test : cases) {
        SCOPED_TRACE(test.name);
        table_reader reader;
        for (std::size_t poll = 0; poll < test.reads.size(); ++poll) {
            SCOPED_TRACE("poll " + std::to_string(poll + 1) + " of " + test.reads[poll].file);
            EXPECT_EQ(reader.poll(test.reads[poll].bytes), test.reads[poll].expected);
        }
    }
}

TEST(ReaderTable, AWholeDocumentCaughtCutAtAnyByteIsSkippedAndThenReadInFull) {
    std::set<std::string> already_cut;
    for (const table_case& test : load_cases()) {
        const table_read& whole = test.reads.front();
        if (!whole.bytes || whole.cut || !whole.expected.back().starts_with("complete ")) continue;
        if (!already_cut.insert(whole.file).second) continue;
        SCOPED_TRACE(whole.file);
        for (std::size_t length = 0; length < whole.bytes->size(); ++length) {
            table_reader reader;
            const std::vector<std::string> cut_read = reader.poll(whole.bytes->substr(0, length));
            const std::vector<std::string> whole_read = reader.poll(whole.bytes);
            if (cut_read != std::vector<std::string>{"skipped 2000 0"} || whole_read != whole.expected) {
                ADD_FAILURE() << "cut after " << length << " bytes";
                EXPECT_EQ(cut_read, std::vector<std::string>{"skipped 2000 0"});
                EXPECT_EQ(whole_read, whole.expected);
                break;
            }
        }
    }
}

} // namespace
} // namespace duskward_game
