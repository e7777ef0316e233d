#include "host/standin/title_script.h"

#include <cctype>

namespace standin_host {

std::atomic<std::int32_t> title_script_impl::live_{0};

std::optional<std::vector<title_script_impl::piece>> title_script_impl::parse(std::string_view script) {
    std::vector<piece> pieces;
    std::size_t position = 0;
    while (position < script.size()) {
        const std::size_t open = script.find('%', position);
        if (open == std::string_view::npos) {
            pieces.push_back({false, std::string(script.substr(position))});
            break;
        }
        const std::size_t close = script.find('%', open + 1);
        if (close == std::string_view::npos) return std::nullopt;
        if (open > position) pieces.push_back({false, std::string(script.substr(position, open - position))});
        std::string name(script.substr(open + 1, close - open - 1));
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (name.empty()) pieces.push_back({false, "%"});
        else pieces.push_back({true, std::move(name)});
        position = close + 1;
    }
    return pieces;
}

title_script_impl::title_script_impl(std::vector<piece> pieces) : pieces_(std::move(pieces)) { ++live_; }

title_script_impl::~title_script_impl() { --live_; }

std::string title_script_impl::render(const std::function<std::string(const std::string&)>& field) const {
    std::string text;
    for (const piece& p : pieces_) text += p.is_field ? field(p.text) : p.text;
    return text;
}

std::int32_t title_script_impl::live_count() { return live_.load(); }

} // namespace standin_host
