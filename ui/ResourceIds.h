#pragma once
// Identifiers of the dialog resources and their controls, shared by the resource script and the code.
// Plain macros, because the resource compiler reads this file too.

#define VORANDEL_ICON 120

// The command every dialog gets for the Esc key (IDCANCEL of the system's headers).
#define DIALOG_ESCAPE 2

#define MAIN_DIALOG 104
#define BATCH_DIALOG 105
#define ABOUT_DIALOG 116
#define MAP_DIALOG 117
#define PROBLEMS_DIALOG 118
#define RESTORE_DIALOG 119

// Main window buttons
#define MAIN_ABOUT 1000
#define MAIN_NAME_LIST 1002
#define MAIN_OFFICER_TABLE 1003
#define MAIN_FORCE_TABLE 1004
#define MAIN_CITY_TABLE 1005
#define MAIN_GENERATE 1006
#define MAIN_DISCARD 1007
#define MAIN_QUIT 1008
#define MAIN_MAP 1009
#define MAIN_RESTORE 1010
#define MAIN_OPEN_PAIR 1011

// Batch dialog controls
#define BATCH_BROWSE 1031
#define BATCH_START 1032
#define BATCH_BACK 1034
#define BATCH_EXPORT 1035
#define BATCH_PATH 1036
#define BATCH_PROBLEMS 1037
#define BATCH_COLUMNS 1038

// About box controls
#define ABOUT_HELP_LINK 1000
#define ABOUT_HELP 1038
#define ABOUT_DESCRIPTION 1043
#define ABOUT_OK 1042

// Map dialog controls
#define MAP_RANGE 1060
#define MAP_SCENARIO 1061
#define MAP_WRITE 1062
#define MAP_BACK 1063

// Problem list controls
#define PROBLEMS_TEXT 1070
#define PROBLEMS_OK 1071

// Restore dialog controls
#define RESTORE_NOTE 1080
#define RESTORE_LIST 1081
#define RESTORE_OK 1082
#define RESTORE_BACK 1083
