#include "player/play_callback.h"

#include "event/event_queue.h"
#include "frame/errors.h"
#include "frame/host_lookup.h"
#include "frame/replace_all.h"
#include "frame/scratch_string.h"
#include "player/settings.h"
#include "player/time_text.h"
#include "player/utf8_to_ansi.h"
#include "player/volume_text.h"

namespace plv_duskward {
namespace {

// The user's format, or the file name when the format does not compile: a typing slip on the
// preferences page still gives the game a useful text.
service_ptr_t<title_script> compile_track_change_script() {
    service_ptr_t<title_formatter> formatter = get_single_service<title_formatter>();
    title_script* script = nullptr;
    if (!formatter->compile(script, cfg_track_change_format.get_text()) && !formatter->compile(script, "%filename%"))
        throw wex::exception_bug_check_v2();
    return service_ptr_t<title_script>::adopt(script);
}

// The setting's text with every placeholder replaced by `value`.
wex::shared_text filled_in(const cfg_string& format, const char* placeholder, const wex::string_base& value) {
    return wex::replace_all(wex::shared_text(format.get_text(), format.get_length()), wex::shared_text(placeholder),
        wex::shared_text(value.get_text(), value.get_length()));
}

} // namespace

void play_callback::on_starting(std::int32_t, std::int32_t) {}

void play_callback::on_new_track(track* new_track) {
    // Declared first, so that the script below is released before the track.
    const service_ptr_t<track> reference = service_ptr_t<track>::adopt(new_track);
    if (!cfg_track_change_enabled || !reference) return;
    const service_ptr_t<title_script> script = compile_track_change_script();
    wex::scratch_string title;
    reference->render_title(nullptr, title, script.get(), nullptr);
    const wex::scratch_string text = utf8_to_ansi(title.get_text(), title.get_length());
    post_event(text.get_text(), "track_change");
}

void play_callback::on_stop(std::int32_t reason) {
    if (reason != 0 || !cfg_stop_enabled) return;
    const wex::scratch_string text(cfg_stop_format.get_text(), cfg_stop_format.get_length());
    post_event(text.get_text(), "stop");
}

void play_callback::on_seek(double seconds) {
    if (!cfg_seek_enabled) return;
    post_event(filled_in(cfg_seek_format, "%time%", time_text(seconds)).get_text(), "seek");
}

void play_callback::on_pause(bool) {
    if (!cfg_pause_enabled) return;
    const wex::scratch_string text(cfg_pause_format.get_text(), cfg_pause_format.get_length());
    post_event(text.get_text(), "pause");
}

void play_callback::on_track_edited(track* edited) {
    if (edited != nullptr) edited->release();
}

void play_callback::on_info_change(std::int32_t) {}

void play_callback::on_track_info_change(std::int32_t) {}

void play_callback::on_time(std::int32_t, std::int32_t) {}

void play_callback::on_volume_change(float decibels) {
    if (!cfg_volume_enabled) return;
    const char* type = decibels == -100.0f ? "volume_mute" : "volume_change";
    post_event(filled_in(cfg_volume_format, "%volume%", volume_text(static_cast<double>(decibels))).get_text(), type);
}

} // namespace plv_duskward
