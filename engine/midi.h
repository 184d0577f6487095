// MIDI music through the MCI sequencer: one tune at a time under the alias "midi".
#pragma once

extern int gMidiOpen;  // 1 while a tune is open
extern int gMidiLoop;  // 1 to restart the tune when it ends

void ResetMidiState();
void PlayMidi(const char* fileName, int loop);
void StopMidi();
void OnMidiNotify();
