// Starting and stopping the watcher on real Win32, against a game window of a real second process:
// when on_stop returns, the thread is gone and the event file is empty and closed.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "link/initquit.h"
#include "player/play_callback.h"
#include "tests/support/standin_host_fixture.h"
#include "tests/support/process_threads.h"
#include "tests/support/running_game.h"

namespace plv_duskward {
namespace {

namespace fs = std::filesystem;

std::uintmax_t size_or_zero(const fs::path& file) {
    std::error_code error;
    std::uintmax_t size = fs::file_size(file, error);
    return error ? 0 : size;
}

class InitQuitOnWindows : public ::testing::Test {
protected:
    ~InitQuitOnWindows() override {
        for (const auto& registration : host_.listeners.registrations())
            delete static_cast<service_impl_t<plv_duskward::play_callback>*>(
                static_cast<plv_duskward::play_callback*>(registration.listener));
    }

    test_support::running_game game_{
        fs::temp_directory_path() / ("plv-initquit-" + std::to_string(GetCurrentProcessId())),
        L"Duskward: Grey Orchard"};
    test_support::standin_host_fixture host_;
    service_impl_single_t<plv_duskward::initquit> handler_;
};

TEST_F(InitQuitOnWindows, WhenStopReturnsTheThreadHasEndedAndTheFileIsEmptyAndClosed) {
    ASSERT_NE(game_.window(), nullptr);
    const int threads_before = test_support::threads_of_this_process();
    handler_.on_start();
    // The first pass looks at once; the reset and "init" are written within moments.
    for (int wait = 0; wait < 500 && size_or_zero(game_.event_file()) == 0; ++wait) Sleep(10);
    ASSERT_GT(size_or_zero(game_.event_file()), 0u) << "connected to the game in front";
    handler_.on_stop();

    EXPECT_EQ(test_support::threads_of_this_process(), threads_before);
    EXPECT_EQ(size_or_zero(game_.event_file()), 0u);
    wex::unique_file alone(CreateFileW(
        game_.event_file().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(alone.valid()) << "nobody holds the file open any more";
    EXPECT_EQ(host_.lines(), std::vector<std::string>{"found 'Duskward: Grey Orchard'"});
}

} // namespace
} // namespace plv_duskward
