// Where the event file goes, how its life runs and how each failure shows, on the stand-in's
// desktop and drive.

#include <process.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/event/event_file_fixture.h"
#include "testing/standin/clock.h"
#include "testing/standin/handle_table.h"

namespace event_tests {
namespace {

using SharedEventFile = EventFileTest;
using lines = std::vector<std::string>;

TEST_F(SharedEventFile, FileGoesToGamedataConfigBesideTheExecutablesFolder) {
    file().open_for_window(window_);
    EXPECT_TRUE(file().is_open());
    EXPECT_TRUE(std::filesystem::is_regular_file(event_file()));
    EXPECT_EQ(std::filesystem::file_size(event_file()), 0u);
    EXPECT_TRUE(host_.lines().empty());
}

TEST_F(SharedEventFile, AnOldFileIsEmptiedInAnExistingConfigFolder) {
    std::filesystem::create_directories(event_file().parent_path());
    std::ofstream(event_file()) << "[info]\r\nleft from last time\r\n";
    file().open_for_window(window_);
    EXPECT_TRUE(file().is_open());
    EXPECT_EQ(content(event_file()), "");
    EXPECT_TRUE(host_.lines().empty());
}

TEST_F(SharedEventFile, ReconnectingEmptiesTheOpenFileAndCreatesItAgain) {
    file().open_for_window(window_);
    queue().reset();
    const std::size_t handles = standin::open_handle_count();
    standin::start_file_record();
    file().open_for_window(window_);
    const auto record = standin::file_record();
    ASSERT_EQ(record.size(), 1u);
    EXPECT_EQ(record[0].kind, standin::file_operation_kind::cut);
    EXPECT_EQ(content(event_file()), "");
    EXPECT_EQ(standin::open_handle_count(), handles);
}

TEST_F(SharedEventFile, CloseLeavesAnEmptyFileAndDoesNothingTheSecondTime) {
    file().open_for_window(window_);
    queue().post("connection is enabled", "init");
    const std::size_t handles = standin::open_handle_count();
    file().close();
    file().close();
    EXPECT_FALSE(file().is_open());
    EXPECT_EQ(std::filesystem::file_size(event_file()), 0u);
    EXPECT_EQ(standin::open_handle_count(), handles - 1);
    EXPECT_TRUE(host_.lines().empty());
}

TEST_F(SharedEventFile, TheExitStepEmptiesAndClosesAFileStillOpen) {
    const std::size_t handles = standin::open_handle_count();
    {
        plv_duskward::shared_event_file unloading;
        unloading.open_for_window(window_);
        unloading.write("[info]\r\n");
        EXPECT_EQ(content(event_file()), "[info]\r\n");
    }
    EXPECT_EQ(std::filesystem::file_size(event_file()), 0u);
    EXPECT_EQ(standin::open_handle_count(), handles) << "file and lock are closed";
}

// Unloading must not wait: a thread still inside a write (a disk that stalls) keeps the lock, and
// the exit step leaves the file and the lock to it, with one line.
TEST_F(SharedEventFile, TheExitStepDoesNotWaitForALockHeldByAnotherThread) {
    static plv_duskward::shared_event_file* unloading = nullptr;
    unloading = new plv_duskward::shared_event_file;
    unloading->open_for_window(window_);
    standin::delay_call(standin::failing_call::write_file, 10000);
    _beginthread([](void*) { unloading->write("[info]\r\n"); }, 0, nullptr);
    standin::wait_until_threads_blocked(); // inside WriteFile, the lock held
    const std::uint64_t before = standin::virtual_now();
    delete unloading;
    EXPECT_EQ(standin::virtual_now(), before) << "no wait";
    EXPECT_EQ(host_.lines(), lines{"Error: plv_duskward left the event file open: its lock is held"});
    standin::run_until(before + 10000); // the write ends on the handle and lock it was left
    standin::wait_until_threads_blocked();
    EXPECT_EQ(standin::running_threads(), 0u);
    EXPECT_EQ(content(event_file()), "[info]\r\n");
}

TEST_F(SharedEventFile, WithoutALockTheFailureIsReportedOnceAndNoFileIsOpened) {
    standin::fail_call(standin::failing_call::create_mutex, ERROR_NOT_ENOUGH_MEMORY);
    plv_duskward::shared_event_file lockless;
    lockless.open_for_window(window_);
    lockless.open_for_window(window_);
    lockless.write("x");
    lockless.truncate();
    lockless.close();
    EXPECT_FALSE(lockless.is_open());
    EXPECT_FALSE(std::filesystem::exists(event_file().parent_path()));
    EXPECT_EQ(host_.lines(), lines{"Error: uCreateMutex failed"});
}

// A game that refuses the full query still has its file made through the limited right.
TEST_F(SharedEventFile, AGameRefusingTheFullQueryIsFoundWithTheLimitedRight) {
    struct row {
        const char* name;
        std::function<void()> refuse;
    };
    const row rows[] = {
        {"OpenProcess refused",
            [] { standin::refuse_process_rights(PROCESS_VM_READ | PROCESS_QUERY_INFORMATION, ERROR_ACCESS_DENIED); }},
        {"GetModuleFileNameExW refused",
            [] { standin::fail_call(standin::failing_call::get_module_file_name, ERROR_PARTIAL_COPY); }},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        standin::clear_failures();
        std::filesystem::remove_all(event_file().parent_path());
        r.refuse();
        file().open_for_window(window_);
        EXPECT_TRUE(file().is_open());
        EXPECT_TRUE(std::filesystem::exists(event_file()));
        EXPECT_TRUE(host_.lines().empty());
        file().close();
    }
}

// Each failure prints its one line and leaves no file open; until the file itself is refused,
// no folder is created either.
TEST_F(SharedEventFile, EachFailureReportsOneLineAndCreatesNothing) {
    struct row {
        const char* name;
        std::function<HWND()> arrange; // gives the window to open the file for
        std::string line;
        bool config_made = false; // the config folder comes before the file
    };
    const std::string long_folder(240, 'g');
    const std::wstring long_wide(long_folder.begin(), long_folder.end());
    const std::string too_long = "Error: plv_duskward could not create file: 'The filename or extension is too long.'";
    const row rows[] = {
        {"no gamedata folder",
            [this] {
                std::filesystem::remove_all(gamedata());
                return window_;
            },
            "Error: gamedata does not exist"},
        {"window already destroyed",
            [] {
                HWND closed = add_game(L"X:\\game\\bin\\game.exe");
                standin::destroy_window(closed);
                return closed;
            },
            "Error: GetWindowThreadProcessId failed"},
        {"process cannot be opened at all",
            [this] {
                standin::fail_call(standin::failing_call::open_process, ERROR_ACCESS_DENIED);
                return window_;
            },
            "Error: OpenProcess failed"},
        {"neither query gives the path",
            [this] {
                standin::fail_call(standin::failing_call::get_module_file_name, ERROR_PARTIAL_COPY);
                standin::fail_call(standin::failing_call::query_full_process_image_name, ERROR_ACCESS_DENIED);
                return window_;
            },
            "Error: GetModuleFileNameEx failed"},
        {"file cannot be created",
            [this] {
                standin::fail_call(standin::failing_call::create_file, ERROR_ACCESS_DENIED);
                return window_;
            },
            "Error: plv_duskward could not create file: 'Access is denied.'", true},
        {"GetModuleFileNameExW says the buffer is too small",
            [this] {
                standin::fail_call(standin::failing_call::get_module_file_name, ERROR_INSUFFICIENT_BUFFER);
                return window_;
            },
            too_long},
        {"executable path fills the whole buffer",
            [] { return add_game(L"X:\\game\\bin\\" + std::wstring(260, L'e') + L".exe"); }, too_long},
        {"event file path does not fit",
            [&] {
                std::filesystem::create_directories(drive_.root() / long_folder / "gamedata");
                return add_game(L"X:\\" + long_wide + L"\\bin\\game.exe");
            },
            too_long},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        standin::clear_failures();
        host_.clear();
        std::filesystem::remove_all(gamedata());
        std::filesystem::create_directories(gamedata());
        file().open_for_window(r.arrange());
        EXPECT_FALSE(file().is_open());
        EXPECT_EQ(host_.lines(), lines{r.line});
        EXPECT_FALSE(std::filesystem::exists(event_file()));
        EXPECT_EQ(std::filesystem::exists(event_file().parent_path()), r.config_made);
        EXPECT_FALSE(std::filesystem::exists(drive_.root() / long_folder / "gamedata" / "config"));
    }
}

TEST_F(SharedEventFile, AWriteWithNoFileOpenDoesNothingAndPrintsNothing) {
    standin::start_file_record();
    file().truncate();
    file().write("[info]\r\n");
    EXPECT_TRUE(standin::file_record().empty());
    EXPECT_TRUE(host_.lines().empty());
}

} // namespace
} // namespace event_tests
