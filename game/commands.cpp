#include "game/commands.h"

#include "game/key_names.h"
#include "game/keyboard_input.h"

#include <sstream>
#include <vector>

namespace duskward_game {
namespace {

// Longer than the component's key poll of 125 ms, so that a poll sees the keys down.
constexpr DWORD key_hold_ms = 400;

std::vector<std::string> split_words(std::string_view line) {
    std::istringstream stream{std::string(line)};
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
    return text;
}

command_result outcome(
    const std::vector<std::string>& words, const std::string& problem, const std::string& detail = {}) {
    if (!problem.empty()) return {"error " + words[0] + ": " + problem};
    return {"ok " + joined(words) + detail};
}

command_result press(const std::vector<std::string>& words) {
    if (words.size() < 2) return outcome(words, "no key given");
    std::vector<int> keys;
    for (std::size_t i = 1; i < words.size(); ++i) {
        std::optional<int> key = virtual_key_from_name(words[i]);
        if (!key) return outcome(words, "unknown key '" + words[i] + "'");
        keys.push_back(*key);
    }
    return outcome(words, press_keys(keys, key_hold_ms));
}

command_result scroll() {
    bool now_on = false;
    std::string problem = toggle_scroll_lock(now_on);
    return outcome({"scroll"}, problem, now_on ? " on" : " off");
}

} // namespace

command_result run_command(game_windows& windows, std::string_view line) {
    std::vector<std::string> words = split_words(line);
    if (words.empty()) return {};
    const std::string& name = words[0];
    if (name == "press") return press(words);
    if (words.size() > 1 && (name == "front" || name == "away" || name == "scroll" || name == "quit")) {
        return outcome(words, "unexpected '" + words[1] + "'");
    }
    if (name == "front") {
        return outcome(words, windows.bring_game_to_front() ? "" : "the game window did not come to the front");
    }
    if (name == "away") {
        return outcome(words, windows.bring_other_to_front() ? "" : "the other window did not come to the front");
    }
    if (name == "scroll") return scroll();
    if (name == "quit") return {"ok quit", true};
    return {"error unknown command '" + name + "'"};
}

} // namespace duskward_game
