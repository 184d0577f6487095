// The programs' icon "MAIN", carried inside each program as Windows programs carry their icon
// resource: a whole .BMP file, written into the build from the generated picture.
#pragma once

#include <cstddef>

extern const unsigned char kProgramIcon[];
extern const size_t kProgramIconSize;
