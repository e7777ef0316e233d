#include "game/game_app.h"

#include "game/commands.h"
#include "game/output.h"

namespace duskward_game {
namespace {

constexpr UINT command_waiting_message = WM_APP + 1;
constexpr UINT_PTR poll_timer = 1;
constexpr std::size_t shown_lines = 24;

std::string narrow(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, result.data(), size, nullptr, nullptr);
    result.pop_back(); // the terminating zero
    return result;
}

} // namespace

game_app::game_app(HINSTANCE instance, const std::wstring& title)
    : title_(title), poller_(event_file_path_beside_executable()), windows_(instance, title, window_procedure, this) {}

int game_app::run() {
    std::string quoted_title = "\"";
    quoted_title.append(narrow(title_)).push_back('"');
    if (windows_.bring_game_to_front()) {
        show("ready " + quoted_title);
    } else {
        show("error ready: " + quoted_title + " did not come to the front");
    }
    commands_.start(windows_.game(), command_waiting_message);
    poll_event_file();

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

LRESULT CALLBACK game_app::window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* app = reinterpret_cast<game_app*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (app == nullptr) return DefWindowProcW(window, message, wparam, lparam);
    return app->handle_message(window, message, wparam, lparam);
}

LRESULT game_app::handle_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case command_waiting_message: run_waiting_commands(); return 0;
    case WM_TIMER:
        if (wparam == poll_timer) poll_event_file();
        return 0;
    case WM_PAINT: paint(window); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wparam, lparam);
    }
}

// Commands run one after the other: a command that waits (a key press held, a window coming to
// the front) runs messages meanwhile, and a line arriving then must wait its turn.
void game_app::run_waiting_commands() {
    if (running_commands_) return;
    running_commands_ = true;
    while (std::optional<std::string> line = commands_.take()) {
        command_result result = run_command(windows_, *line);
        if (!result.answer.empty()) show(result.answer);
        if (result.quit) {
            windows_.close();
            break;
        }
    }
    running_commands_ = false;
}

void game_app::poll_event_file() {
    for (const std::string& line : poller_.poll()) show(line);
    schedule_polls();
}

void game_app::schedule_polls() {
    if (scheduled_delay_ms_ == poller_.delay_ms() || windows_.game() == nullptr) return;
    scheduled_delay_ms_ = poller_.delay_ms();
    SetTimer(windows_.game(), poll_timer, static_cast<UINT>(scheduled_delay_ms_), nullptr);
}

void game_app::show(const std::string& line) {
    print_line(line);
    recent_lines_.push_back(line);
    if (recent_lines_.size() > shown_lines) recent_lines_.pop_front();
    if (windows_.game() != nullptr) InvalidateRect(windows_.game(), nullptr, TRUE);
}

// The game's view of what it read, for a person watching the screen.
void game_app::paint(HWND window) {
    PAINTSTRUCT paint_info;
    HDC context = BeginPaint(window, &paint_info);
    std::string text;
    for (const std::string& line : recent_lines_) text += line + "\r\n";
    RECT area;
    GetClientRect(window, &area);
    area.left += 8;
    area.top += 8;
    DrawTextA(context, text.c_str(), static_cast<int>(text.size()), &area, DT_LEFT | DT_TOP | DT_NOPREFIX);
    EndPaint(window, &paint_info);
}

} // namespace duskward_game
