// MCI command strings for the MIDI sequencer device: open, seek, play (with notify), stop, close and
// status ... mode. The sequencer is a single device: one file is open at a time.
//
// A play started with "notify" posts MM_MCINOTIFY to the window passed with the command when it
// ends (MCI_NOTIFY_SUCCESSFUL), when a later command stops it (MCI_NOTIFY_ABORTED) or when another
// play with notify replaces it (MCI_NOTIFY_SUPERSEDED); lParam is the device id.
#pragma once

#include "platform/win_types.h"
#include "platform/winmm.h"

using MCIERROR = DWORD;
using MCIDEVICEID = UINT;

constexpr MCIERROR MCIERR_BASE = 256;
constexpr MCIERROR MCIERR_INVALID_DEVICE_ID = MCIERR_BASE + 1;
constexpr MCIERROR MCIERR_UNRECOGNIZED_KEYWORD = MCIERR_BASE + 3;
constexpr MCIERROR MCIERR_UNRECOGNIZED_COMMAND = MCIERR_BASE + 5;
constexpr MCIERROR MCIERR_HARDWARE = MCIERR_BASE + 6;
constexpr MCIERROR MCIERR_INVALID_DEVICE_NAME = MCIERR_BASE + 7;
constexpr MCIERROR MCIERR_OUT_OF_MEMORY = MCIERR_BASE + 8;
constexpr MCIERROR MCIERR_DEVICE_OPEN = MCIERR_BASE + 9;
constexpr MCIERROR MCIERR_CANNOT_LOAD_DRIVER = MCIERR_BASE + 10;
constexpr MCIERROR MCIERR_MISSING_COMMAND_STRING = MCIERR_BASE + 11;
constexpr MCIERROR MCIERR_PARAM_OVERFLOW = MCIERR_BASE + 12;
constexpr MCIERROR MCIERR_MISSING_STRING_ARGUMENT = MCIERR_BASE + 13;
constexpr MCIERROR MCIERR_MISSING_PARAMETER = MCIERR_BASE + 17;
constexpr MCIERROR MCIERR_UNSUPPORTED_FUNCTION = MCIERR_BASE + 18;
constexpr MCIERROR MCIERR_FILE_NOT_FOUND = MCIERR_BASE + 19;
constexpr MCIERROR MCIERR_EXTENSION_NOT_FOUND = MCIERR_BASE + 25;
constexpr MCIERROR MCIERR_DUPLICATE_ALIAS = MCIERR_BASE + 33;
constexpr MCIERROR MCIERR_INVALID_FILE = MCIERR_BASE + 40;
constexpr MCIERROR MCIERR_SEQ_PORT_INUSE = MCIERR_BASE + 81;
constexpr MCIERROR MCIERR_SEQ_NOMIDIPRESENT = MCIERR_BASE + 87;

// Sends one command string; 0 on success. `reply` (may be null) receives the command's answer,
// cut to `replyLength` - 1 characters, or an empty string for commands that answer nothing.
MCIERROR mciSendStringA(LPCSTR command, LPSTR reply, UINT replyLength, HWND callback);
