// Nearest-neighbour scaling of a finished picture straight into a 32-bit 0x00RRGGBB pixel buffer
// (the window's own surface when no graphics hardware draws): a source column and a source row for
// every target column and row, worked out once per size; a row that repeats the row above it is
// copied from it. Pixels are widened by arithmetic, eight at a time where the processor has SSE2;
// scaled up, each whole group of four target columns then takes its four source pixels in one
// shuffle.
// Only what changed is drawn again, and the caller learns which rows changed, so that only those
// go on to the display: at the source's width each row is compared with what the target holds as
// it is widened into it; a picture scaled across keeps a copy of the picture drawn last and draws
// only the stretch of each row that differs from it.
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
  // The target rows [first, last) whose pixels a Draw changed; none when first == last.
  struct Rows {
    int first = 0, last = 0;
    bool empty() const { return first >= last; }
  };
  void Prepare(const Shape& shape);
  bool PreparedFor(const Shape& shape) const { return shape == shape_; }
  // Draws `frame` (of the prepared size and layout) into the rectangle; nothing outside it. The
  // target must hold what the previous Draw since Prepare left there. The first Draw after
  // Prepare counts every row of the rectangle as changed.
  Rows Draw(const FrameView& frame, uint8_t* target, int target_pitch);

 private:
  using WidenRowFn = void (*)(const uint8_t* in, uint32_t* out, int n);
  void DrawStretch(const uint8_t* in, uint32_t* out, int from, int to, WidenRowFn widen);

  Shape shape_;
  std::vector<int> columns_;       // source x of each target column of the rectangle
  std::vector<int> rows_;          // source y of each target row of the rectangle
  bool drawn_valid_ = false;       // a Draw since Prepare has drawn the whole rectangle
  // The picture drawn last (rows packed), against which each row's changed stretch is found; for
  // each source x and one past, the first target column at or past it; scaled across only, one
  // source row widened, spread from there.
  std::vector<uint8_t> drawn_;
  std::vector<int> first_column_;
  std::vector<uint32_t> row_;
  // Scaled up across: the target's whole groups of four columns, each group's source columns a
  // run of at most four from its first one, in one of eight patterns (which of the three steps
  // between its columns move on a source column). The groups are sorted by pattern, then by place,
  // so that each pattern is drawn in a loop of its own; for each pattern and each group index
  // (and one past), the first of that pattern's groups at or past it.
  struct Group {
    int target;  // first target column
    int source;  // its source column
  };
  std::vector<Group> groups_;
  std::vector<int> pattern_groups_;
};

}  // namespace platform
