// MIDI music through the MCI sequencer: one tune at a time under the alias "midi"; the end of a
// play comes back as MM_MCINOTIFY to the main window, which restarts a looping tune.
#include "engine/midi.h"

#include <cstdio>

#include "engine/shell.h"
#include "platform/mci.h"

int gMidiOpen = 0;
int gMidiLoop = 1;

namespace {
char gMidiCommand[256];
}

void ResetMidiState() {
  gMidiOpen = 0;
  gMidiLoop = 1;
}

void PlayMidi(const char* fileName, int loop) {
  // The full path in double quotes, so a directory with spaces stays one word.
  std::snprintf(gMidiCommand, sizeof gMidiCommand, "open \"%s%s\" type sequencer alias midi",
                GetDataDirectory(), fileName);
  if (gMidiOpen != 0) StopMidi();
  // No result is looked at: without the file or a sequencer the game just stays silent.
  mciSendStringA(gMidiCommand, nullptr, 0, nullptr);
  mciSendStringA("seek midi to start", nullptr, 0, nullptr);
  mciSendStringA("play midi notify", nullptr, 0, gMainWindow);
  gMidiOpen = 1;
  gMidiLoop = loop;
}

void StopMidi() {
  if (gMidiOpen == 0) return;
  mciSendStringA("stop midi", nullptr, 0, nullptr);
  mciSendStringA("close midi", nullptr, 0, nullptr);
  gMidiOpen = 0;
}

void OnMidiNotify() {
  if (gMidiLoop != 0) {
    mciSendStringA("seek midi to start", nullptr, 0, nullptr);
    mciSendStringA("play midi notify", nullptr, 0, gMainWindow);
  } else {
    StopMidi();
  }
}
