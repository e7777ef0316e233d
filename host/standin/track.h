#pragma once
// A track of the stand-in host: a path and tag fields such as artist, title and album. Besides
// the tags, "filename" is the path's file name without its folder and extension.

#include <map>
#include <string>

#include "frame/host_interfaces.h"
#include "host/standin/counted.h"

namespace standin_host {

class track final : public counted_t<::track> {
public:
    // Field names in any letter case; values in UTF-8.
    track(std::string path, const std::map<std::string, std::string>& fields);

    // Appends the title; false, appending nothing, for a script that is not the stand-in's.
    bool render_title(
        title_format_hook* hook, wex::string_base& out, ::title_script* script, title_filter* filter) override;

    // The field's value, "?" when the track has no such field.
    std::string field(const std::string& name) const;
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::map<std::string, std::string> fields_; // lower-case names
};

} // namespace standin_host
