#pragma once
// A compiled title-format script of the stand-in host: literal text and %field% references.

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frame/host_interfaces.h"

namespace standin_host {

class title_script_impl : public ::title_script {
public:
    struct piece {
        bool is_field;
        std::string text; // the literal text, or the field's name in lower case
    };

    // The pieces of a script, or nothing when a "%" is left open. "%%" stands for a "%".
    static std::optional<std::vector<piece>> parse(std::string_view script);

    explicit title_script_impl(std::vector<piece> pieces);
    ~title_script_impl();
    title_script_impl(const title_script_impl&) = delete;
    title_script_impl& operator=(const title_script_impl&) = delete;

    // The text with each field replaced by what `field` gives for its lower-case name.
    std::string render(const std::function<std::string(const std::string&)>& field) const;

    // Scripts made and not yet freed, across the process: a leak shows as a count that stays up.
    static std::int32_t live_count();

private:
    std::vector<piece> pieces_;
    static std::atomic<std::int32_t> live_;
};

} // namespace standin_host
