#pragma once

// The dialogs' resources and their controls' identifiers; shared by the resource script and the
// code, so plain macros.
#define TAVERO_PAUSE_KEY_DIALOG 10
#define TAVERO_PAUSE_KEY_BOX 1001
#define TAVERO_PAUSE_KEY_CLEAR 1002
#define TAVERO_PROGRAM_NAME_DIALOG 11
#define TAVERO_PROGRAM_NAME_EDIT 1011
#define TAVERO_TAP_LENGTH_DIALOG 12
#define TAVERO_TAP_LENGTH_EDIT 1021
