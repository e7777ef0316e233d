#include "player/play_callback.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

#include "event/event_queue.h"
#include "frame/errors.h"
#include "frame/module_state.h"
#include "host/standin/standin_host.h"
#include "host/standin/title_formatter.h"
#include "host/standin/title_script.h"
#include "host/standin/track.h"
#include "player/settings.h"

namespace {

using namespace plv_duskward;

// A formatter that compiles nothing, not even the file-name fallback.
class refusing_formatter final : public standin_host::counted_t<title_formatter> {
public:
    bool compile(title_script*&, const char*) override { return false; }
};

struct posted_event {
    std::string type;
    std::string text;
};

class PlayCallback : public ::testing::Test {
protected:
    void SetUp() override {
        reset_settings_to_defaults();
        event_queue::instance().reset();
        registry.add(&formatter);
        set_host_services(&registry);
    }
    void TearDown() override {
        set_host_services(nullptr);
        event_queue::instance().reset();
        reset_settings_to_defaults();
        EXPECT_EQ(song.references(), 0) << "every track reference handed over was released";
        EXPECT_EQ(standin_host::title_script_impl::live_count(), 0) << "every script was released";
        EXPECT_EQ(formatter.references(), 1) << "only the registry still holds the formatter";
    }

    // Hands the listener a track with one reference, as the host does.
    void play(standin_host::track& played) {
        played.add_ref();
        listener.on_new_track(&played);
    }
    static std::uint32_t posted_count() { return event_queue_access::read(event_queue::instance()).next_id; }
    static posted_event last_posted() {
        const auto ring = event_queue_access::read(event_queue::instance());
        const event& last = ring.slots[ring.last_slot];
        return {std::string(last.type.view()), std::string(last.text.view())};
    }

    standin_host::title_formatter formatter;
    standin_host::registry registry;
    standin_host::track song{"C:\\Music\\Cold Lake - Ember.flac", {{"artist", "Cold Lake"}, {"title", "Ember"}}};
    service_impl_t<plv_duskward::play_callback> listener;
};

TEST_F(PlayCallback, DefaultSettingsPostEachEventWithItsText) {
    struct Case {
        const char* name;
        std::function<void()> notify;
        const char* type;
        const char* text;
    };
    const Case cases[] = {
        {"new track", [&] { play(song); }, "track_change", "Cold Lake: Ember"},
        {"stop", [&] { listener.on_stop(0); }, "stop", "stop"},
        {"seek", [&] { listener.on_seek(75.25); }, "seek", "seek to 1:15.3"},
        {"pause", [&] { listener.on_pause(true); }, "pause", "pause"},
        {"resume", [&] { listener.on_pause(false); }, "pause", "pause"},
        {"volume", [&] { listener.on_volume_change(-6.5f); }, "volume_change", "volume -6.50 dB"},
        {"mute", [&] { listener.on_volume_change(-100.0f); }, "volume_mute", "volume -100.00 dB"},
        {"just above mute", [&] { listener.on_volume_change(-99.99f); }, "volume_change", "volume -99.99 dB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::uint32_t before = posted_count();
        c.notify();
        EXPECT_EQ(posted_count(), before + 1);
        EXPECT_EQ(last_posted().type, c.type);
        EXPECT_EQ(last_posted().text, c.text);
    }
}

TEST_F(PlayCallback, EveryPlaceholderIsReplacedExactlyAsWritten) {
    struct Case {
        const char* format;
        const char* seek_text;   // for a seek to 3725 s
        const char* volume_text; // for -0.5 dB, with the same format after "%time%" became "%volume%"
    };
    const Case cases[] = {
        {"%time%", "1:02:05.0", "-0.50"},
        {"%time% / %time%", "1:02:05.0 / 1:02:05.0", "-0.50 / -0.50"},
        {"at %TIME%", "at %TIME%", "at %VOLUME%"},
        {"jump", "jump", "jump"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        cfg_seek_format.assign(c.format);
        listener.on_seek(3725);
        EXPECT_EQ(last_posted().text, c.seek_text);

        std::string volume_format = c.format;
        for (std::size_t at; (at = volume_format.find("time")) != std::string::npos;)
            volume_format.replace(at, 4, "volume");
        for (std::size_t at; (at = volume_format.find("TIME")) != std::string::npos;)
            volume_format.replace(at, 4, "VOLUME");
        cfg_volume_format.assign(volume_format.c_str());
        listener.on_volume_change(-0.5f);
        EXPECT_EQ(last_posted().text, c.volume_text);
    }
}

TEST_F(PlayCallback, OnlyTheTrackTitleIsConvertedToTheAnsiCodePage) {
    standin_host::track foreign("C:\\x.mp3", {{"artist", "Bj\xC3\xB6rk"}, {"title", "\xE6\x97\xA5\xE6\x9C\xAC"}});
    play(foreign);
    EXPECT_EQ(last_posted().text, "Bj\xF6rk: ??");
    standin_host::track broken("C:\\y.mp3", {{"artist", "Ca\xC3"}, {"title", "Fe"}});
    play(broken);
    EXPECT_EQ(last_posted().text, "Ca") << "cut off before the malformed sequence";

    cfg_stop_format.assign("arr\xC3\xAAt");
    listener.on_stop(0);
    EXPECT_EQ(last_posted().text, "arr\xC3\xAAt") << "the other texts stay UTF-8";
    EXPECT_EQ(foreign.references(), 0);
    EXPECT_EQ(broken.references(), 0);
}

TEST_F(PlayCallback, FormatThatDoesNotCompileGivesTheFileName) {
    cfg_track_change_format.assign("%artist%: %title");
    play(song);
    EXPECT_EQ(last_posted().type, "track_change");
    EXPECT_EQ(last_posted().text, "Cold Lake - Ember");
    EXPECT_EQ(formatter.compile_calls(), 2);

    cfg_track_change_format.assign("%title%");
    play(song);
    EXPECT_EQ(last_posted().text, "Ember") << "a changed format counts from the next track";
}

TEST_F(PlayCallback, SwitchedOffPostsNothingAndStillReleasesTheTrack) {
    for (cfg_int_t<bool>* value :
        {&cfg_track_change_enabled, &cfg_pause_enabled, &cfg_stop_enabled, &cfg_seek_enabled, &cfg_volume_enabled})
        *value = false;
    play(song);
    listener.on_stop(0);
    listener.on_seek(1);
    listener.on_pause(true);
    listener.on_volume_change(-100.0f);
    EXPECT_EQ(posted_count(), 0u);
    EXPECT_EQ(formatter.compile_calls(), 0);
}

TEST_F(PlayCallback, NotificationsNotAskedForPostNothing) {
    cfg_stop_enabled = true;
    listener.on_stop(1);
    listener.on_stop(-1);
    listener.on_starting(0, 0);
    song.add_ref();
    listener.on_track_edited(&song);
    listener.on_info_change(1);
    listener.on_track_info_change(1);
    listener.on_time(1, 2);
    EXPECT_EQ(posted_count(), 0u);
    EXPECT_EQ(song.references(), 0) << "the edited track's reference was released";
}

TEST_F(PlayCallback, FailuresPostNothingAndReleaseEveryReference) {
    play(song); // one good post first, to see that no other follows
    refusing_formatter refusing;
    struct Case {
        const char* name;
        std::function<void()> arrange;
        const char* message;
    };
    const Case cases[] = {
        {"no formatter", [&] { registry.remove_all(title_formatter::class_id); }, "Service not found"},
        {"two formatters", [&] { registry.add(&formatter); }, "Service duplicated"},
        {"nothing compiles",
            [&] {
                registry.remove_all(title_formatter::class_id);
                registry.add(&refusing);
            },
            "Bug check"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        registry.remove_all(title_formatter::class_id);
        registry.add(&formatter);
        c.arrange();
        song.add_ref();
        try {
            listener.on_new_track(&song);
            ADD_FAILURE() << "no failure";
        } catch (const std::exception& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
        EXPECT_EQ(posted_count(), 1u);
        EXPECT_EQ(song.references(), 0);
    }
    EXPECT_EQ(refusing.references(), 1) << "only the registry holds the refusing formatter";
    registry.remove_all(title_formatter::class_id);
    registry.add(&formatter);
}

TEST_F(PlayCallback, NumbersBeyondAnyCountAreClampedNotThrown) {
    constexpr double infinity = std::numeric_limits<double>::infinity();
    listener.on_seek(infinity);
    EXPECT_EQ(last_posted().text, "seek to 3050056890494wk 2d 3:06:01.5");
    listener.on_seek(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(last_posted().text, "seek to 0:00.0");
    listener.on_seek(-3);
    EXPECT_EQ(last_posted().text, "seek to 0:00.0");
    listener.on_volume_change(-std::numeric_limits<float>::infinity());
    EXPECT_EQ(last_posted().text, "volume -184467440737095516.15 dB");
    listener.on_volume_change(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(last_posted().type, "volume_change");
    EXPECT_EQ(last_posted().text, "volume 0.00 dB");
}

} // namespace
