// Where free records wait, off the field, and the heading a reset leaves in them.
#pragma once

// Records with float positions: enemies, bosses, items, bullets, fragments of the ship.
inline constexpr float kParkX = -500.0f;
inline constexpr float kParkY = 2550.0f;
// The player's shots and missiles, whose positions are whole pixels.
inline constexpr int kShotParkX = -500;
inline constexpr int kShotParkY = 500;
// Dead debris fragments.
inline constexpr float kDebrisParkX = 1000.0f;
inline constexpr float kDebrisParkY = 5000.0f;
// Heading of a reset missile, ship fragment or enemy bullet: -3 degrees, in radians.
inline constexpr float kRestHeading = -0.0523599f;
