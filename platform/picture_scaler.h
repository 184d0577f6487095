// Nearest-neighbour scaling of a finished picture straight into a 32-bit 0x00RRGGBB pixel buffer
// (the window's own surface when no graphics hardware draws): a source column and a source row for
// every target column and row, worked out once per size; a row that repeats the row above it is
// copied from it. The target keeps what was drawn into it, so only the stretch of each source row
// that differs from the picture drawn before is drawn again.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/host.h"

namespace platform {

class PictureScaler {
 public:
  // Maps a picture of src_w x src_h in `layout` onto the rectangle (x, y, w, h) of the target;
  // the next Draw draws all of it. Allocates only when the sizes change.
  struct Shape {
    int src_w = 0, src_h = 0;
    PixelLayout layout = PixelLayout::Rgb565;
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const Shape&) const = default;
  };
  void Prepare(const Shape& shape);
  bool PreparedFor(const Shape& shape) const { return shape == shape_; }
  // Draws `frame` (of the prepared size and layout) into the rectangle; nothing outside it. The
  // target must hold what the previous Draw since Prepare left there.
  void Draw(const FrameView& frame, uint8_t* target, int target_pitch);

 private:
  Shape shape_;
  std::vector<int> columns_;       // source x of each target column of the rectangle
  std::vector<int> first_column_;  // for each source x and one past: the first target column at or past it
  std::vector<uint8_t> drawn_;     // the picture drawn last, rows packed
  bool drawn_valid_ = false;
  std::vector<int> rows_;          // source y of each target row of the rectangle
  std::vector<uint32_t> colours_;  // every 16-bit pixel as 0x00RRGGBB, for 16-bit layouts
};

}  // namespace platform
