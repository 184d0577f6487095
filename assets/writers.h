// File formats the game reads: 24-bit Windows bitmaps, 16-bit PCM RIFF WAVE and Standard MIDI
// files, written byte by byte (little-endian for the Windows formats, big-endian for MIDI).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "assets/canvas.h"

namespace assetgen {

// A finished picture: rows from the top, three bytes (r, g, b) per pixel. Pure black is the
// transparent colour.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
};

// Turns a painted picture into its final pixels. The key colour cannot blend, so a pixel is either
// transparent (pure black) or shown in its own colour: faint pixels are dropped, the others keep
// their colour, slightly darkened towards the edges, and never land on the key, even in a 16-bit
// display mode, so dark hull parts always show.
Image Flatten(const Picture& p);

// BITMAPFILEHEADER + BITMAPINFOHEADER (40 bytes), 24 bits per pixel, rows bottom-up, each padded
// to a multiple of 4 bytes.
std::vector<uint8_t> EncodeBmp24(const Image& image);

// RIFF "WAVE" with a 16-byte "fmt " chunk (PCM, mono, 16 bits) and a "data" chunk.
std::vector<uint8_t> EncodeWave(const std::vector<int16_t>& samples, int rate);

// Standard MIDI file, format 1. Each track holds raw events (a status byte and its data, or a
// meta event starting with 0xFF) at absolute ticks; the encoder sorts them (note-offs before
// other events before note-ons at the same tick) and ends every track at `endTick`.
struct MidiEvent {
  uint32_t tick;
  std::vector<uint8_t> bytes;
};
struct MidiTrack {
  std::vector<MidiEvent> events;
  uint32_t endTick = 0;
};
std::vector<uint8_t> EncodeMidi(const std::vector<MidiTrack>& tracks, int ticksPerQuarter);

// Little-endian numbers, as RIFF and Windows bitmap files store them.
inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}

inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// Writes bytes to path, creating the missing folders. False on any failure.
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace assetgen
