#include "player/settings.h"

#include "frame/load_order.h"

// Created in this order when the module loads. The identifiers are what the host stores each
// setting under: they must never change, or users lose their settings.

namespace plv_duskward {
namespace {

constexpr GUID suspend_input_id = {0x4a1631d5, 0x1a87, 0x4c85, {0xa5, 0xa9, 0xe2, 0xd3, 0x7b, 0xc2, 0x71, 0x55}};
constexpr GUID control_delay_id = {0xa03996af, 0x66cd, 0x4dac, {0xba, 0x13, 0x01, 0xfd, 0x4a, 0xa6, 0xa5, 0xa1}};
constexpr GUID idle_delay_id = {0xa47fa7a8, 0xd234, 0x4103, {0xa0, 0x49, 0xf9, 0xe2, 0x69, 0x44, 0x21, 0x94}};
constexpr GUID track_change_enabled_id = {0xcf862bc5, 0x9a50, 0x47c8, {0xae, 0x7a, 0x58, 0xfa, 0x36, 0x5d, 0xdf, 0x73}};
constexpr GUID track_change_format_id = {0xe91a2d49, 0x371d, 0x4cf9, {0xbb, 0xb5, 0xea, 0xd8, 0x34, 0xba, 0xc0, 0xf8}};
constexpr GUID pause_enabled_id = {0xbb7ce3a6, 0x566c, 0x4df7, {0xb6, 0xee, 0x10, 0x75, 0xbc, 0x90, 0x41, 0xfc}};
constexpr GUID pause_format_id = {0x5b00f2e2, 0x7e9a, 0x4c25, {0xa4, 0x7e, 0xd8, 0x28, 0xf0, 0xa3, 0x92, 0x1a}};
constexpr GUID stop_enabled_id = {0xaaf45fb8, 0xa732, 0x4e02, {0xac, 0x8d, 0x38, 0xa7, 0x24, 0x98, 0x72, 0xc7}};
constexpr GUID stop_format_id = {0x4d898cf2, 0x1340, 0x4708, {0x80, 0xf0, 0xbf, 0x98, 0xdc, 0x1f, 0xf0, 0x54}};
constexpr GUID seek_enabled_id = {0x5afe4bcd, 0xc98b, 0x41f2, {0xa0, 0xae, 0xf8, 0x97, 0x43, 0x90, 0xdb, 0xb7}};
constexpr GUID seek_format_id = {0x593dd6c5, 0x0c22, 0x4727, {0x8a, 0x9c, 0xf4, 0xd2, 0xcf, 0x08, 0x80, 0x94}};
constexpr GUID volume_enabled_id = {0x4aceebfc, 0xcfb6, 0x465b, {0x81, 0x06, 0x3d, 0x91, 0x42, 0x9f, 0xd5, 0xb0}};
constexpr GUID volume_format_id = {0xb446bc1f, 0xf0f7, 0x455f, {0xac, 0x8f, 0x16, 0xc1, 0xba, 0x8a, 0x35, 0x82}};

constexpr bool suspend_input_default = true;
constexpr std::int32_t control_delay_default = 1000;
constexpr std::int32_t idle_delay_default = 2000;
constexpr bool track_change_enabled_default = true;
constexpr const char* track_change_format_default = "%artist%: %title%";
constexpr bool pause_enabled_default = true;
constexpr const char* pause_format_default = "pause";
constexpr bool stop_enabled_default = true;
constexpr const char* stop_format_default = "stop";
constexpr bool seek_enabled_default = true;
constexpr const char* seek_format_default = "seek to %time%";
constexpr bool volume_enabled_default = true;
constexpr const char* volume_format_default = "volume %volume% dB";

} // namespace

PLV_LOAD_ORDER_SETTINGS cfg_int_t<bool> cfg_suspend_input(suspend_input_id, suspend_input_default);
PLV_LOAD_ORDER_SETTINGS cfg_int_t<int> cfg_control_delay(control_delay_id, control_delay_default);
PLV_LOAD_ORDER_SETTINGS cfg_int_t<int> cfg_idle_delay(idle_delay_id, idle_delay_default);
PLV_LOAD_ORDER_SETTINGS cfg_int_t<bool> cfg_track_change_enabled(track_change_enabled_id, track_change_enabled_default);
PLV_LOAD_ORDER_SETTINGS cfg_string cfg_track_change_format(track_change_format_id, track_change_format_default);
PLV_LOAD_ORDER_SETTINGS cfg_int_t<bool> cfg_pause_enabled(pause_enabled_id, pause_enabled_default);
PLV_LOAD_ORDER_SETTINGS cfg_string cfg_pause_format(pause_format_id, pause_format_default);
PLV_LOAD_ORDER_SETTINGS cfg_int_t<bool> cfg_stop_enabled(stop_enabled_id, stop_enabled_default);
PLV_LOAD_ORDER_SETTINGS cfg_string cfg_stop_format(stop_format_id, stop_format_default);
PLV_LOAD_ORDER_SETTINGS cfg_int_t<bool> cfg_seek_enabled(seek_enabled_id, seek_enabled_default);
PLV_LOAD_ORDER_SETTINGS cfg_string cfg_seek_format(seek_format_id, seek_format_default);
PLV_LOAD_ORDER_SETTINGS cfg_int_t<bool> cfg_volume_enabled(volume_enabled_id, volume_enabled_default);
PLV_LOAD_ORDER_SETTINGS cfg_string cfg_volume_format(volume_format_id, volume_format_default);

void reset_settings_to_defaults() {
    cfg_suspend_input = suspend_input_default;
    cfg_control_delay = control_delay_default;
    cfg_idle_delay = idle_delay_default;
    cfg_track_change_enabled = track_change_enabled_default;
    cfg_track_change_format.assign(track_change_format_default);
    cfg_pause_enabled = pause_enabled_default;
    cfg_pause_format.assign(pause_format_default);
    cfg_stop_enabled = stop_enabled_default;
    cfg_stop_format.assign(stop_format_default);
    cfg_seek_enabled = seek_enabled_default;
    cfg_seek_format.assign(seek_format_default);
    cfg_volume_enabled = volume_enabled_default;
    cfg_volume_format.assign(volume_format_default);
}

} // namespace plv_duskward
