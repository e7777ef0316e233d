#include "frame/settings_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "frame/errors.h"
#include "frame/settings_stream_memory.h"
#include "player/settings.h"

namespace {

using bytes = std::vector<std::uint8_t>;
using namespace plv_duskward;

// Starts aborting at its `abort_at`-th question (counting from 1); 0 never aborts.
class counting_abort final : public abort_flag {
public:
    explicit counting_abort(int abort_at = 0) : abort_at_(abort_at) {}
    bool is_aborting() const override { return abort_at_ != 0 && ++asked_ >= abort_at_; }

private:
    int abort_at_;
    mutable int asked_ = 0;
};

bytes stored_id(const GUID& id) {
    bytes out = {static_cast<std::uint8_t>(id.Data1), static_cast<std::uint8_t>(id.Data1 >> 8),
        static_cast<std::uint8_t>(id.Data1 >> 16), static_cast<std::uint8_t>(id.Data1 >> 24),
        static_cast<std::uint8_t>(id.Data2), static_cast<std::uint8_t>(id.Data2 >> 8),
        static_cast<std::uint8_t>(id.Data3), static_cast<std::uint8_t>(id.Data3 >> 8)};
    for (std::uint8_t byte : id.Data4) out.push_back(byte);
    return out;
}

// A record header with the size that the record claims, followed by the value bytes given
// (which may be fewer or more than claimed).
bytes record(const GUID& id, std::uint32_t claimed_size, const bytes& value) {
    bytes out = stored_id(id);
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(claimed_size >> shift));
    out.insert(out.end(), value.begin(), value.end());
    return out;
}
bytes record(const GUID& id, const bytes& value) { return record(id, static_cast<std::uint32_t>(value.size()), value); }
bytes text_value(const std::string& text) { return bytes(text.begin(), text.end()); }
bytes operator+(bytes a, const bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const GUID& id_of(const cfg_var_reader& variable) { return variable.var_id; }
constexpr GUID unknown_id = {0x00112233, 0x4455, 0x6677, {0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF}};

class SettingsStream : public ::testing::Test {
protected:
    void SetUp() override { reset_settings_to_defaults(); }
    void TearDown() override { reset_settings_to_defaults(); }
};

TEST_F(SettingsStream, WritesEveryVariableNewestFirstInTheRecordLayout) {
    memory_output out;
    counting_abort never;
    write_settings(out, never);

    const bytes first_record = {0x1f, 0xbc, 0x46, 0xb4, 0xf7, 0xf0, 0x5f, 0x45, // cfg_volume_format's identifier:
        0xac, 0x8f, 0x16, 0xc1, 0xba, 0x8a, 0x35, 0x82,                         //   three fields little-endian, 8 bytes
        0x12, 0x00, 0x00, 0x00,                                                 // size 18, little-endian
        'v', 'o', 'l', 'u', 'm', 'e', ' ', '%', 'v', 'o', 'l', 'u', 'm', 'e', '%', ' ', 'd', 'B'};
    ASSERT_GE(out.bytes().size(), first_record.size());
    EXPECT_EQ(bytes(out.bytes().begin(), out.bytes().begin() + first_record.size()), first_record);

    const bytes expected_tail = record(id_of(cfg_idle_delay), {0xd0, 0x07, 0x00, 0x00}) + // 2000
        record(id_of(cfg_control_delay), {0xe8, 0x03, 0x00, 0x00}) +                      // 1000
        record(id_of(cfg_suspend_input), {0x01});
    ASSERT_GE(out.bytes().size(), expected_tail.size());
    EXPECT_EQ(
        bytes(out.bytes().end() - static_cast<std::ptrdiff_t>(expected_tail.size()), out.bytes().end()), expected_tail);

    memory_input in(out.bytes());
    read_settings(in, never);
    EXPECT_EQ(in.position(), out.bytes().size()) << "the records fit end to end";
}

TEST_F(SettingsStream, EmptyTextIsARecordOfSizeZeroAndReadsBackEmpty) {
    cfg_pause_format.assign("");
    memory_output out;
    counting_abort never;
    write_settings(out, never);
    const bytes empty_record = record(id_of(cfg_pause_format), {});
    EXPECT_NE(std::search(out.bytes().begin(), out.bytes().end(), empty_record.begin(), empty_record.end()),
        out.bytes().end());

    cfg_pause_format.assign("pause");
    memory_input in(out.bytes());
    read_settings(in, never);
    EXPECT_EQ(cfg_pause_format.view(), "");
}

TEST_F(SettingsStream, RandomValuesOfAllThirteenSurviveARoundTrip) {
    std::mt19937 random(20240611);
    auto random_text = [&] {
        std::string text(std::uniform_int_distribution<std::size_t>(0, 700)(random), ' ');
        for (char& c : text) c = static_cast<char>(std::uniform_int_distribution<int>(1, 255)(random));
        return text;
    };
    auto random_int = [&] { return static_cast<std::int32_t>(random()); };
    auto random_bool = [&] { return (random() & 1) != 0; };
    cfg_string* texts[] = {
        &cfg_track_change_format, &cfg_pause_format, &cfg_stop_format, &cfg_seek_format, &cfg_volume_format};
    cfg_int_t<bool>* switches[] = {&cfg_suspend_input, &cfg_track_change_enabled, &cfg_pause_enabled, &cfg_stop_enabled,
        &cfg_seek_enabled, &cfg_volume_enabled};
    cfg_int_t<int>* delays[] = {&cfg_control_delay, &cfg_idle_delay};

    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        std::vector<std::string> text_values;
        std::vector<bool> switch_values;
        std::vector<std::int32_t> delay_values;
        for (cfg_string* text : texts) text_values.push_back(random_text()), text->assign(text_values.back().c_str());
        for (auto* value : switches) switch_values.push_back(random_bool()), *value = switch_values.back();
        for (auto* value : delays) delay_values.push_back(random_int()), *value = delay_values.back();

        memory_output out;
        counting_abort never;
        write_settings(out, never);
        reset_settings_to_defaults();
        memory_input in(out.bytes());
        read_settings(in, never);

        for (std::size_t i = 0; i < std::size(texts); ++i) EXPECT_EQ(texts[i]->view(), text_values[i]);
        for (std::size_t i = 0; i < std::size(switches); ++i) EXPECT_EQ(switches[i]->get(), switch_values[i]);
        for (std::size_t i = 0; i < std::size(delays); ++i) EXPECT_EQ(delays[i]->get(), delay_values[i]);
    }
}

// A stored stream and what the three settings it touches hold after reading it.
struct stream_case {
    const char* name;
    bytes stream;
    std::int32_t idle_delay = 2000;
    bool pause_enabled = true;
    std::string stop_format = "stop";
};

void expect_settings(const stream_case& c) {
    EXPECT_EQ(cfg_idle_delay.get(), c.idle_delay);
    EXPECT_EQ(cfg_pause_enabled.get(), c.pause_enabled);
    EXPECT_EQ(cfg_stop_format.view(), c.stop_format);
}

const GUID& idle_id = id_of(cfg_idle_delay);
const GUID& pause_id = id_of(cfg_pause_enabled);
const GUID& stop_id = id_of(cfg_stop_format);

TEST_F(SettingsStream, ReadsWhatItCanFromAStreamThatEndsBetweenRecords) {
    const bytes idle_5 = record(idle_id, {5, 0, 0, 0});
    const bytes pause_off = record(pause_id, {0});
    const stream_case cases[] = {
        {.name = "empty stream", .stream = {}},
        {.name = "ends inside an identifier", .stream = idle_5 + bytes(7, 0x11), .idle_delay = 5},
        {.name = "unknown record skipped", .stream = record(unknown_id, {1, 2, 3}) + idle_5, .idle_delay = 5},
        {.name = "boolean of 0 bytes", .stream = record(pause_id, {}) + idle_5, .idle_delay = 5},
        {.name = "integer of 2 bytes", .stream = record(idle_id, {7, 0}) + pause_off, .pause_enabled = false},
        {.name = "surplus skipped",
            .stream = record(idle_id, {6, 0, 0, 0, 0xEE, 0xEE}) + pause_off,
            .idle_delay = 6,
            .pause_enabled = false},
        {.name = "later record wins", .stream = idle_5 + record(idle_id, {8, 0, 0, 0}), .idle_delay = 8},
        {.name = "text with a NUL",
            .stream = record(stop_id, text_value(std::string("ha\0lt", 5))) + idle_5,
            .idle_delay = 5,
            .stop_format = "ha"},
    };
    for (const stream_case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_settings_to_defaults();
        memory_input in(c.stream);
        counting_abort never;
        EXPECT_NO_THROW(read_settings(in, never));
        expect_settings(c);
    }
}

TEST_F(SettingsStream, AStreamCutInsideARecordThrowsAndKeepsWhatWasRead) {
    const bytes idle_5 = record(idle_id, {5, 0, 0, 0});
    const bytes pause_off = record(pause_id, {0});
    const stream_case cases[] = {
        {.name = "ends inside a size field", .stream = idle_5 + stored_id(pause_id) + bytes{1, 0}, .idle_delay = 5},
        {.name = "unknown record cut short", .stream = idle_5 + record(unknown_id, 9, {1, 2, 3}), .idle_delay = 5},
        {.name = "integer cut by the end", .stream = pause_off + record(idle_id, 4, {9, 0}), .pause_enabled = false},
        {.name = "text cut by the end",
            .stream = pause_off + record(stop_id, 10, text_value("hal")),
            .pause_enabled = false,
            .stop_format = "hal"},
    };
    for (const stream_case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_settings_to_defaults();
        memory_input in(c.stream);
        counting_abort never;
        EXPECT_THROW(read_settings(in, never), plavora_io::exception_io_data_truncation);
        expect_settings(c);
    }
}

TEST_F(SettingsStream, TextsAreReadInPiecesOf256CutAtEachPiecesFirstNul) {
    struct Case {
        const char* name;
        std::string stored;
        std::string expected;
    };
    const std::string a256(256, 'a');
    std::string with_nul = std::string(300, 'b');
    with_nul[10] = '\0';
    const Case cases[] = {
        {"exactly one piece", a256, a256},
        {"piece and a rest", a256 + "tail", a256 + "tail"},
        {"NUL in the first piece", with_nul, std::string(10, 'b') + std::string(44, 'b')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        memory_input in(
            record(id_of(cfg_seek_format), text_value(c.stored)) + record(id_of(cfg_idle_delay), {1, 0, 0, 0}));
        counting_abort never;
        read_settings(in, never);
        EXPECT_EQ(cfg_seek_format.view(), c.expected);
        EXPECT_EQ(cfg_idle_delay.get(), 1) << "the record after the text is read";
    }
}

TEST_F(SettingsStream, BooleanByteOtherThanOneIsTrueAndWrittenBackUnchanged) {
    memory_input in(record(id_of(cfg_seek_enabled), {7}));
    counting_abort never;
    read_settings(in, never);
    EXPECT_TRUE(cfg_seek_enabled.get());

    memory_output out;
    write_settings(out, never);
    const bytes written = record(id_of(cfg_seek_enabled), {7});
    EXPECT_NE(std::search(out.bytes().begin(), out.bytes().end(), written.begin(), written.end()), out.bytes().end());
}

TEST_F(SettingsStream, AbortLeavesAtTheNextVariableKeepingWrittenRecords) {
    memory_output out;
    counting_abort third_question(3); // one question per variable: two records get through
    try {
        write_settings(out, third_question);
        FAIL() << "no abort";
    } catch (const plavora_io::exception_aborted& error) {
        EXPECT_STREQ(error.what(), "User abort");
    }
    EXPECT_EQ(out.bytes(),
        record(id_of(cfg_volume_format), text_value("volume %volume% dB")) + record(id_of(cfg_volume_enabled), {1}));
}

TEST_F(SettingsStream, HostStreamErrorsPassThrough) {
    class failing_input final : public input_stream {
    public:
        std::size_t read(void*, std::size_t, abort_flag&) override { throw std::runtime_error("disk gone"); }
        void read_exact(void*, std::size_t, abort_flag&) override { throw std::runtime_error("disk gone"); }
        std::uint64_t skip(std::uint64_t, abort_flag&) override { throw std::runtime_error("disk gone"); }
        void skip_exact(std::uint64_t, abort_flag&) override { throw std::runtime_error("disk gone"); }
    } in;
    counting_abort never;
    EXPECT_THROW(read_settings(in, never), std::runtime_error);
}

TEST(BufferOutput, GrowsByDoublingFromOneAndKeepsItsCapacity) {
    buffer_output buffer;
    counting_abort never;
    buffer.write("abc", 3, never);
    EXPECT_EQ(buffer.capacity(), 4u);
    buffer.write("de", 2, never);
    EXPECT_EQ(buffer.capacity(), 8u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data()), buffer.size()), "abcde");
    buffer.clear();
    EXPECT_EQ(buffer.size(), 0u);
    EXPECT_EQ(buffer.capacity(), 8u);
}

TEST(BufferOutput, AbortAddsNothing) {
    buffer_output buffer;
    counting_abort at_once(1);
    EXPECT_THROW(buffer.write("abc", 3, at_once), plavora_io::exception_aborted);
    EXPECT_EQ(buffer.size(), 0u);
}

TEST(BoundedInput, StopsAtItsBoundAndExactFormsThrowWhenShort) {
    memory_input inner(text_value("abcdefgh"));
    counting_abort never;
    bounded_input record_part(inner, 5);
    char got[8] = {};
    EXPECT_EQ(record_part.read(got, 3, never), 3u);
    EXPECT_EQ(record_part.skip(10, never), 2u);
    EXPECT_EQ(record_part.remaining(), 0u);
    EXPECT_EQ(inner.position(), 5u) << "nothing past the bound is consumed";
    EXPECT_THROW(record_part.read_exact(got, 1, never), plavora_io::exception_io_data_truncation);
    EXPECT_THROW(record_part.skip_exact(1, never), plavora_io::exception_io_data_truncation);
    EXPECT_NO_THROW(record_part.skip_exact(0, never));
}

} // namespace
