#include "host/program/settings_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/handles.h"

namespace {

using bytes = std::vector<std::uint8_t>;
using plavora_host::read_file;
using plavora_host::read_outcome;
using plavora_host::write_file_replacing;

// A fresh folder of the test's own, emptied and removed at the end.
class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        char base[MAX_PATH] = {};
        ASSERT_NE(GetTempPathA(MAX_PATH, base), 0u);
        folder_ = std::string(base) + "plv_settings_file_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
        path_ = folder_ + "\\host.cfg";
    }
    void TearDown() override {
        for (const std::string& name : files()) DeleteFileA((folder_ + "\\" + name).c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder_ + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }

    std::string folder_;
    std::string path_;
};

TEST_F(SettingsFile, MissingFileMeansDefaults) {
    bytes got = {1};
    std::string error;
    EXPECT_EQ(read_file(path_, got, error), read_outcome::not_found);
    EXPECT_TRUE(got.empty());
}

TEST_F(SettingsFile, WriteReplacesTheFileAndLeavesNoTemporaryBehind) {
    std::string error;
    ASSERT_TRUE(write_file_replacing(path_, bytes{1, 2, 3}, error)) << error;
    ASSERT_TRUE(write_file_replacing(path_, bytes(70000, 0x5A), error)) << error;
    bytes got;
    EXPECT_EQ(read_file(path_, got, error), read_outcome::read);
    EXPECT_EQ(got, bytes(70000, 0x5A));
    EXPECT_EQ(files(), std::vector<std::string>{"host.cfg"});
}

TEST_F(SettingsFile, AFileThatCannotBeReadIsAFailureNotDefaults) {
    std::string error;
    ASSERT_TRUE(write_file_replacing(path_, bytes{7}, error)) << error;
    // Another program holds the file without sharing it.
    wex::unique_file held(CreateFileA(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    bytes got = {9};
    EXPECT_EQ(read_file(path_, got, error), read_outcome::failed);
    EXPECT_TRUE(got.empty());
    EXPECT_NE(error.find("host.cfg"), std::string::npos) << error;
}

TEST_F(SettingsFile, AFailedSaveKeepsTheOldFile) {
    std::string error;
    ASSERT_TRUE(write_file_replacing(path_, bytes{7}, error)) << error;
    // Held open without delete sharing: it cannot be replaced.
    wex::unique_file held(
        CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_FALSE(write_file_replacing(path_, bytes{8, 8}, error));
    EXPECT_FALSE(error.empty());
    held.reset();
    bytes got;
    EXPECT_EQ(read_file(path_, got, error), read_outcome::read);
    EXPECT_EQ(got, bytes{7});
    EXPECT_EQ(files(), std::vector<std::string>{"host.cfg"}) << "the temporary is removed";
}

} // namespace
