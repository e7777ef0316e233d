#pragma once
// Test controls for the stand-in's files: which host folder stands for drive X:, and a record of
// what was done to files, so that a test can say "one post is one cut and one write".

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace standin {

// Drive X: is this host folder from now on; an empty path unmaps it (every path then fails).
void map_drive(const std::filesystem::path& folder);
// The host file or folder that a Windows path names; empty when it names nothing on drive X:.
std::filesystem::path host_path(const std::wstring& windows_path);

// A new empty folder in the system's temporary folder, mapped as drive X: for the life of the
// object and removed with everything in it afterwards.
class scoped_drive {
public:
    scoped_drive();
    ~scoped_drive();
    scoped_drive(const scoped_drive&) = delete;
    scoped_drive& operator=(const scoped_drive&) = delete;
    const std::filesystem::path& root() const { return root_; }

private:
    std::filesystem::path root_;
};

enum class file_operation_kind { cut, write };

struct file_operation {
    file_operation_kind kind;
    std::wstring path;      // as resolved, e.g. L"X:\\game\\gamedata\\config\\plvr.ltx"
    std::uint64_t position; // where the file was cut, or where the bytes went
    std::string bytes;      // what was written; empty for a cut
};

// Starts a new, empty record (off by default, so that a benchmark pays nothing for it).
void start_file_record();
void stop_file_record();
std::vector<file_operation> file_record();

} // namespace standin
