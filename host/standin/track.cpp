#include "host/standin/track.h"

#include <cctype>

#include "host/standin/title_script.h"

namespace standin_host {
namespace {

std::string lower_case(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// "C:\Music\Artist - Song.flac" gives "Artist - Song"; both kinds of slash separate folders.
std::string file_name_without_extension(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

} // namespace

track::track(std::string path, const std::map<std::string, std::string>& fields) : path_(std::move(path)) {
    for (const auto& [name, value] : fields) fields_[lower_case(name)] = value;
}

bool track::render_title(title_format_hook*, wex::string_base& out, ::title_script* script, title_filter*) {
    auto* compiled = dynamic_cast<title_script_impl*>(script);
    if (compiled == nullptr) return false;
    const std::string title = compiled->render([this](const std::string& name) { return field(name); });
    out.append(title.c_str(), title.size());
    return true;
}

std::string track::field(const std::string& name) const {
    const std::string key = lower_case(name);
    if (key == "filename") return file_name_without_extension(path_);
    auto found = fields_.find(key);
    return found == fields_.end() ? "?" : found->second;
}

} // namespace standin_host
