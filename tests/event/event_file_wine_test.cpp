// The event file's place found from a real window of a real second process, through the real
// GetModuleFileNameExW, PathCombineW and CreateFileW.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "event/event_queue.h"
#include "event/shared_event_file.h"
#include "frame/handles.h"
#include "tests/event/worked_example.h"
#include "tests/support/standin_host_fixture.h"

namespace event_tests {
namespace {

namespace fs = std::filesystem;

fs::path own_folder() {
    WCHAR path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return fs::path(path).parent_path();
}

// What a reader sees, opening the file as the game does while the component holds it open.
std::string read_as_the_game(const fs::path& file) {
    wex::unique_file reader(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(reader.valid()) << "error " << GetLastError();
    std::string content;
    char buffer[1024];
    DWORD read = 0;
    while (reader && ReadFile(reader.get(), buffer, sizeof buffer, &read, nullptr) && read != 0)
        content.append(buffer, read);
    return content;
}

// <tmp>\root\bin\game.exe runs with a window of its own; <tmp>\root\gamedata is beside bin.
class EventFileOnWindows : public ::testing::Test {
protected:
    void SetUp() override {
        base_ = fs::temp_directory_path() / ("plv-event-" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(base_);
        fs::create_directories(root() / "bin");
        fs::create_directories(root() / "gamedata");
        const fs::path game = root() / "bin" / "game.exe";
        fs::copy_file(own_folder() / "window_owner.exe", game);
        title_ = L"plv event test " + std::to_wstring(GetCurrentProcessId());
        start(game);
    }

    void TearDown() override {
        plv_duskward::shared_event_file::instance().close();
        plv_duskward::event_queue::instance().reset();
        end_game();
        std::error_code ignored;
        fs::remove_all(base_, ignored);
    }

    void start(const fs::path& game) {
        std::wstring command_line = L"\"" + game.wstring() + L"\" " + title_;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        ASSERT_TRUE(CreateProcessW(
            game.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
        CloseHandle(started.hThread);
        game_.reset(started.hProcess);
        // Idle in its message loop means its window exists.
        WaitForInputIdle(game_.get(), 10000);
        window_ = FindWindowW(nullptr, title_.c_str());
        ASSERT_NE(window_, nullptr);
    }

    void end_game() {
        if (!game_) return;
        TerminateProcess(game_.get(), 0);
        WaitForSingleObject(game_.get(), 10000);
        game_.reset();
    }

    fs::path root() const { return base_ / "root"; }
    fs::path event_file() const { return root() / "gamedata" / "config" / "plvr.ltx"; }

    fs::path base_;
    std::wstring title_;
    wex::unique_process game_;
    HWND window_ = nullptr;
    test_support::standin_host_fixture host_;
};

TEST_F(EventFileOnWindows, TheGameReadsTheWorkedExampleFromGamedataConfig) {
    auto& file = plv_duskward::shared_event_file::instance();
    auto& queue = plv_duskward::event_queue::instance();
    file.open_for_window(window_);
    ASSERT_TRUE(file.is_open()) << (host_.lines().empty() ? "" : host_.lines().front());
    EXPECT_EQ(fs::file_size(event_file()), 0u);

    queue.reset();
    queue.post("connection is enabled", "init");
    queue.post("Some Artist: Some Title", "track_change");
    EXPECT_EQ(read_as_the_game(event_file()), worked_example);

    file.close();
    EXPECT_EQ(fs::file_size(event_file()), 0u);
    EXPECT_TRUE(host_.lines().empty());
}

TEST_F(EventFileOnWindows, NoGamedataBesideBinIsReportedAndNothingIsCreated) {
    fs::remove_all(root() / "gamedata");
    plv_duskward::shared_event_file::instance().open_for_window(window_);
    EXPECT_FALSE(plv_duskward::shared_event_file::instance().is_open());
    EXPECT_EQ(host_.lines(), std::vector<std::string>{"Error: gamedata does not exist"});
    EXPECT_FALSE(fs::exists(root() / "gamedata"));
}

TEST_F(EventFileOnWindows, TheWindowOfAnEndedGameIsReported) {
    end_game();
    plv_duskward::shared_event_file::instance().open_for_window(window_);
    EXPECT_FALSE(plv_duskward::shared_event_file::instance().is_open());
    EXPECT_EQ(host_.lines(), std::vector<std::string>{"Error: GetWindowThreadProcessId failed"});
}

} // namespace
} // namespace event_tests
