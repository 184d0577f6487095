// TEMPORARY: stand-ins for engine functions and globals that other parts of the engine define, so
// that the shell's suites link before those parts exist. Every definition is weak: the real one
// takes its place as soon as it is linked in.
#include <cstdint>

#include "engine/el_draw.h"
#include "engine/el_sound.h"
#include "engine/midi.h"
#include "platform/win_types.h"

__attribute__((weak)) int gTransitionCounter = 0;
__attribute__((weak)) int gTransitionDirection = 0;
__attribute__((weak)) int gScreenWidth = 0;
__attribute__((weak)) int gScreenHeight = 0;
__attribute__((weak)) int gMidiOpen = 0;

__attribute__((weak)) void PresentFrame() {}
__attribute__((weak)) void FlipToGdiIfOpen() {}
__attribute__((weak)) void ReleaseDisplay() {}
__attribute__((weak)) void FreeFontBuffer() {}
__attribute__((weak)) void ReleaseSound() {}
__attribute__((weak)) void OnMidiNotify() {}
