#pragma once

// The tray menu's resource and command identifiers; shared by the resource script and the code,
// so plain macros.
#define TAVERO_TRAY_MENU 2
#define TAVERO_CMD_SHOW 40001
#define TAVERO_CMD_ABOUT_MIRELLE 40002
#define TAVERO_CMD_CHECK_VERSION 40003
#define TAVERO_CMD_EXIT 40004
#define TAVERO_CMD_SETTINGS_FOLDER 40005
#define TAVERO_CMD_START_WITH_WINDOWS 40006
#define TAVERO_CMD_ARM_AT_START 40007
#define TAVERO_CMD_PAUSE 40008
#define TAVERO_CMD_PAUSE_KEY 40009
#define TAVERO_CMD_RELEASE_KEYS 40010
