// The review sheet: every picture at 1:1 on a grey checker (black, the transparent colour, shows
// as the checker), each with its name underneath, written as one PNG.
#pragma once

#include <string>
#include <vector>

#include "assets/writers.h"

namespace assetgen {

struct SheetEntry {
  std::string name;
  Image image;
};

// `zoom` enlarges the whole sheet (nearest pixel) for a close look at small sprites.
bool WriteContactSheet(const std::string& path, const std::vector<SheetEntry>& entries,
                       int zoom = 1);

}  // namespace assetgen
