#pragma once
// Identifiers of the preferences page's dialog template and its controls; shared by the resource
// script and the dialog procedure, so only plain defines.

#define IDD_PREFERENCES 101

#define IDC_IDLE_DELAY 1001
#define IDC_CONTROL_DELAY 1002
#define IDC_SUSPEND_INPUT 1003
#define IDC_TRACK_CHANGE_FORMAT 1010
#define IDC_TRACK_CHANGE_ENABLED 1011
#define IDC_PAUSE_FORMAT 1012
#define IDC_PAUSE_ENABLED 1013
#define IDC_STOP_FORMAT 1014
#define IDC_STOP_ENABLED 1015
#define IDC_SEEK_ENABLED 1018
#define IDC_SEEK_FORMAT 1019
#define IDC_VOLUME_ENABLED 1020
#define IDC_VOLUME_FORMAT 1021
