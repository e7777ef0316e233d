// Files and folders of drive X: on top of POSIX, with Windows' share modes between the handles
// of this process, and the record of cuts and writes that tests read.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <mutex>
#include <random>
#include <system_error>

#include "testing/src/windows_path.h"
#include "testing/standin/failures.h"
#include "testing/standin/files.h"
#include "testing/standin/handle_table.h"

namespace standin {
namespace {

constexpr std::size_t max_folder_length = MAX_PATH - 12;

struct opener {
    DWORD access;
    DWORD share;
};

struct file_state {
    std::mutex lock;
    std::multimap<std::wstring, opener> openers; // by resolved path
    bool recording = false;
    std::vector<file_operation> record;
};

file_state& files() {
    static file_state instance;
    return instance;
}

// The key under which a path's openers are kept: Windows names are case-insensitive.
std::wstring share_key(const std::wstring& resolved) {
    std::wstring key = resolved;
    for (wchar_t& unit : key)
        if (unit >= L'a' && unit <= L'z') unit = static_cast<wchar_t>(unit - L'a' + L'A');
    return key;
}

bool shares_with(const opener& held, DWORD access, DWORD share) {
    if ((access & GENERIC_READ) && !(held.share & FILE_SHARE_READ)) return false;
    if ((access & GENERIC_WRITE) && !(held.share & FILE_SHARE_WRITE)) return false;
    if ((held.access & GENERIC_READ) && !(share & FILE_SHARE_READ)) return false;
    if ((held.access & GENERIC_WRITE) && !(share & FILE_SHARE_WRITE)) return false;
    return true;
}

class file_object final : public handle_object {
public:
    // With the files' lock held: the share check and the new entry are one step.
    file_object(int descriptor, std::wstring path, DWORD access, DWORD share)
        : descriptor_(descriptor), path_(std::move(path)), access_(access),
          entry_(files().openers.emplace(share_key(path_), opener{access, share})) {}
    ~file_object() override {
        ::close(descriptor_);
        file_state& state = files();
        std::lock_guard<std::mutex> guard(state.lock);
        state.openers.erase(entry_);
    }

    int descriptor() const { return descriptor_; }
    const std::wstring& path() const { return path_; }
    bool may(DWORD right) const { return (access_ & right) != 0; }

private:
    int descriptor_;
    std::wstring path_;
    DWORD access_;
    std::multimap<std::wstring, opener>::iterator entry_;
};

DWORD error_from_errno(int error) {
    switch (error) {
    case ENOENT: return ERROR_PATH_NOT_FOUND;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case EACCES:
    case EPERM:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case ENOSPC: return ERROR_DISK_FULL;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    default: return ERROR_INVALID_PARAMETER;
    }
}

void record(
    file_operation_kind kind, const file_object& file, std::uint64_t position, const void* bytes, std::size_t count) {
    file_state& state = files();
    std::lock_guard<std::mutex> guard(state.lock);
    if (!state.recording) return;
    state.record.push_back({kind, file.path(), position, std::string(static_cast<const char*>(bytes), count)});
}

bool may_share(const std::wstring& resolved, DWORD access, DWORD share) { // with the lock held
    auto [first, last] = files().openers.equal_range(share_key(resolved));
    for (auto it = first; it != last; ++it)
        if (!shares_with(it->second, access, share)) return false;
    return true;
}

int open_flags(DWORD access, DWORD disposition) {
    int flags = (access & GENERIC_WRITE) ? ((access & GENERIC_READ) ? O_RDWR : O_WRONLY) : O_RDONLY;
    switch (disposition) {
    case CREATE_NEW: return flags | O_CREAT | O_EXCL;
    case CREATE_ALWAYS: return flags | O_CREAT | O_TRUNC;
    case OPEN_ALWAYS: return flags | O_CREAT;
    case TRUNCATE_EXISTING: return flags | O_TRUNC;
    default: return flags;
    }
}

// The error CreateFileW gives when POSIX refuses: a missing file is not a missing folder.
DWORD open_error(int error, DWORD disposition, const std::filesystem::path& host) {
    if (error == ENOENT && std::filesystem::is_directory(host.parent_path())) return ERROR_FILE_NOT_FOUND;
    if (error == EEXIST && disposition == CREATE_NEW) return ERROR_FILE_EXISTS;
    return error_from_errno(error);
}

std::shared_ptr<file_object> file_of(HANDLE handle) { return lookup_handle_as<file_object>(handle); }

} // namespace

scoped_drive::scoped_drive() {
    std::random_device seed;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        root_ = base / ("plv-standin-" + std::to_string(seed()));
        if (std::filesystem::create_directory(root_)) break;
    }
    map_drive(root_);
}

scoped_drive::~scoped_drive() {
    map_drive({});
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void start_file_record() {
    file_state& state = files();
    std::lock_guard<std::mutex> guard(state.lock);
    state.record.clear();
    state.recording = true;
}

void stop_file_record() {
    file_state& state = files();
    std::lock_guard<std::mutex> guard(state.lock);
    state.recording = false;
}

std::vector<file_operation> file_record() {
    file_state& state = files();
    std::lock_guard<std::mutex> guard(state.lock);
    return state.record;
}

} // namespace standin

HANDLE CreateFileW(
    LPCWSTR path, DWORD access, DWORD share_mode, LPSECURITY_ATTRIBUTES, DWORD disposition, DWORD, HANDLE) {
    standin::wait_out_delay(standin::failing_call::create_file);
    if (DWORD error = standin::failure_for(standin::failing_call::create_file, access)) {
        SetLastError(error);
        return INVALID_HANDLE_VALUE;
    }
    const std::wstring resolved = standin::resolve_path(standin::wide_text(path), true);
    auto host = standin::to_host_path(resolved);
    if (!host || resolved.size() >= MAX_PATH) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::unique_lock<std::mutex> guard(standin::files().lock);
    if (!standin::may_share(resolved, access, share_mode)) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return INVALID_HANDLE_VALUE;
    }
    const bool existed = ::access(host->c_str(), F_OK) == 0;
    const int descriptor = ::open(host->c_str(), standin::open_flags(access, disposition) | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        SetLastError(standin::open_error(errno, disposition, *host));
        return INVALID_HANDLE_VALUE;
    }
    auto file = std::make_shared<standin::file_object>(descriptor, resolved, access, share_mode);
    guard.unlock();
    HANDLE handle = standin::register_handle(std::move(file));
    // Windows tells the caller that CREATE_ALWAYS or OPEN_ALWAYS found the file already there.
    const bool reports_existing = disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS;
    SetLastError(existed && reports_existing ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD count, LPDWORD written, LPOVERLAPPED) {
    standin::wait_out_delay(standin::failing_call::write_file);
    if (written != nullptr) *written = 0;
    auto file = standin::file_of(handle);
    if (!file) return FALSE;
    if (!file->may(GENERIC_WRITE)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (DWORD error = standin::failure_for(standin::failing_call::write_file)) {
        SetLastError(error);
        return FALSE;
    }
    const off_t position = ::lseek(file->descriptor(), 0, SEEK_CUR);
    const char* bytes = static_cast<const char*>(buffer);
    DWORD done = 0;
    while (done < count) {
        const ssize_t step = ::write(file->descriptor(), bytes + done, count - done);
        if (step < 0) {
            SetLastError(standin::error_from_errno(errno));
            return FALSE;
        }
        done += static_cast<DWORD>(step);
    }
    if (written != nullptr) *written = done;
    standin::record(standin::file_operation_kind::write, *file, static_cast<std::uint64_t>(position), bytes, done);
    return TRUE;
}

BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD count, LPDWORD read, LPOVERLAPPED) {
    if (read != nullptr) *read = 0;
    auto file = standin::file_of(handle);
    if (!file) return FALSE;
    if (!file->may(GENERIC_READ)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    const ssize_t done = ::read(file->descriptor(), buffer, count);
    if (done < 0) {
        SetLastError(standin::error_from_errno(errno));
        return FALSE;
    }
    if (read != nullptr) *read = static_cast<DWORD>(done);
    return TRUE;
}

DWORD SetFilePointer(HANDLE handle, LONG distance, PLONG distance_high, DWORD method) {
    auto file = standin::file_of(handle);
    if (!file) return INVALID_SET_FILE_POINTER;
    std::int64_t offset = distance;
    if (distance_high != nullptr)
        offset = static_cast<std::int64_t>(
            (static_cast<std::uint64_t>(static_cast<DWORD>(*distance_high)) << 32) | static_cast<DWORD>(distance));
    const int whence = method == FILE_BEGIN ? SEEK_SET : method == FILE_CURRENT ? SEEK_CUR : SEEK_END;
    const off_t current = ::lseek(file->descriptor(), 0, SEEK_CUR);
    const off_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? current : ::lseek(file->descriptor(), 0, SEEK_END);
    if (base + offset < 0) {
        ::lseek(file->descriptor(), current, SEEK_SET);
        SetLastError(ERROR_NEGATIVE_SEEK);
        return INVALID_SET_FILE_POINTER;
    }
    const auto position = static_cast<std::uint64_t>(::lseek(file->descriptor(), base + offset, SEEK_SET));
    if (distance_high != nullptr) *distance_high = static_cast<LONG>(position >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(position);
}

BOOL SetEndOfFile(HANDLE handle) {
    auto file = standin::file_of(handle);
    if (!file) return FALSE;
    if (!file->may(GENERIC_WRITE)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    const off_t position = ::lseek(file->descriptor(), 0, SEEK_CUR);
    if (::ftruncate(file->descriptor(), position) != 0) {
        SetLastError(standin::error_from_errno(errno));
        return FALSE;
    }
    standin::record(standin::file_operation_kind::cut, *file, static_cast<std::uint64_t>(position), nullptr, 0);
    return TRUE;
}

BOOL CreateDirectoryW(LPCWSTR path, LPSECURITY_ATTRIBUTES) {
    const std::wstring resolved = standin::resolve_path(standin::wide_text(path), true);
    if (resolved.size() > standin::max_folder_length) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return FALSE;
    }
    auto host = standin::to_host_path(resolved);
    if (!host) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    if (::mkdir(host->c_str(), 0755) != 0) {
        SetLastError(standin::error_from_errno(errno));
        return FALSE;
    }
    return TRUE;
}
