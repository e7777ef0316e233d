#pragma once
// A scripted desktop for the event file: drive X: in a fresh folder, the game's executable at
// X:\game\bin\game.exe with X:\game\gamedata beside bin, its window, a recording console, and the
// one queue and file put back afterwards.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "event/event_queue.h"
#include "event/shared_event_file.h"
#include "testing/standin/desktop.h"
#include "testing/standin/failures.h"
#include "testing/standin/files.h"
#include "tests/support/standin_host_fixture.h"

namespace event_tests {

class EventFileTest : public ::testing::Test {
protected:
    EventFileTest() {
        std::filesystem::create_directories(drive_.root() / "game" / "bin");
        std::filesystem::create_directories(gamedata());
        window_ = add_game(L"X:\\game\\bin\\game.exe");
    }
    ~EventFileTest() override {
        plv_duskward::shared_event_file::instance().close();
        plv_duskward::event_queue::instance().polling_delay = 2000;
        plv_duskward::event_queue::instance().reset();
        standin::stop_file_record();
        standin::clear_failures();
        standin::reset_desktop();
    }

    static HWND add_game(const std::wstring& executable) {
        return standin::add_window(L"Duskward: Grey Orchard", standin::add_process(executable));
    }
    std::filesystem::path gamedata() const { return drive_.root() / "game" / "gamedata"; }
    std::filesystem::path event_file() const { return gamedata() / "config" / "plvr.ltx"; }
    static std::string content(const std::filesystem::path& file) {
        // Copied through the stream buffer as a whole: GCC 12 at -O2 sees a null read pointer in
        // an inlined istreambuf_iterator loop that cannot occur, and fails the build on it.
        std::ifstream in(file, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    static plv_duskward::shared_event_file& file() { return plv_duskward::shared_event_file::instance(); }
    static plv_duskward::event_queue& queue() { return plv_duskward::event_queue::instance(); }

    standin::scoped_drive drive_;
    test_support::standin_host_fixture host_;
    HWND window_ = nullptr;
};

} // namespace event_tests
