// Pictures saved by other tools: every form a Windows bitmap comes in, written by ImageMagick (or
// made from its output where it writes no such form), loads into a slot of the 16-bit screen with
// exactly the pixels ImageMagick itself decodes from the same file; and with its size made to lie
// (more rows than the file holds, a run-length stream longer than the file) it is refused.
#include <cstdio>
#include <fstream>
#include <iterator>

#include "tests/engine/draw_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

uint32_t Get32(const Bytes& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

void Set32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

void Set16(Bytes& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}

// Removes `count` bytes at `at`, before the pixels, keeping the file size and pixel offset right.
void Erase(Bytes& b, size_t at, size_t count) {
  b.erase(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at + count));
  Set32(b, 2, static_cast<uint32_t>(b.size()));
  Set32(b, 10, Get32(b, 10) - static_cast<uint32_t>(count));
}

// The header cut to `size` bytes (a V5 header to a V4, V3, V2 or plain info header).
void CutHeader(Bytes& b, uint32_t size) {
  Erase(b, 14 + size, Get32(b, 14) - size);
  Set32(b, 14, size);
}

// Rows of an uncompressed picture stored from the top, the height negative.
void TopDown(Bytes& b) {
  const int32_t w = static_cast<int32_t>(Get32(b, 18)), h = static_cast<int32_t>(Get32(b, 22));
  const size_t stride = ((static_cast<size_t>(w) * (b[28] | (b[29] << 8)) + 31) / 32) * 4;
  const size_t offset = Get32(b, 10);
  for (int y = 0; y < h / 2; ++y) {
    std::swap_ranges(b.begin() + static_cast<long>(offset + y * stride),
                     b.begin() + static_cast<long>(offset + (y + 1) * stride),
                     b.begin() + static_cast<long>(offset + (h - 1 - y) * stride));
  }
  Set32(b, 22, static_cast<uint32_t>(-h));
}

// The palette cut to the colours the pixels use.
void ShortPalette(Bytes& b) {
  const int bpp = b[28];
  const size_t w = Get32(b, 18), h = Get32(b, 22), offset = Get32(b, 10);
  const size_t stride = ((w * bpp + 31) / 32) * 4;
  uint32_t used = 0;
  for (size_t y = 0; y < h; ++y) {
    for (size_t x = 0; x < w; ++x) {
      const size_t bit = x * bpp;
      const uint8_t byte = b[offset + y * stride + bit / 8];
      const uint32_t i = (byte >> (8 - bpp - bit % 8)) & ((1 << bpp) - 1);
      used = std::max(used, i + 1);
    }
  }
  const uint32_t entries = (offset - 54) / 4;
  Erase(b, 54 + used * 4, (entries - used) * 4);
  Set32(b, 46, used);
}

// An uncompressed 4- or 8-bit picture run-length encoded: even rows in runs of one index (or of
// two different 4-bit ones), odd rows in literal runs (an odd nibble count padded to a whole
// word), an end of line after each row, an end of picture.
void RunLength(Bytes& b) {
  const int bpp = b[28];
  const size_t w = Get32(b, 18), h = Get32(b, 22), offset = Get32(b, 10);
  const size_t stride = ((w * bpp + 31) / 32) * 4;
  auto index = [&](size_t x, size_t y) {
    const uint8_t byte = b[offset + y * stride + x * bpp / 8];
    return bpp == 8 ? byte : (x % 2 == 0 ? byte >> 4 : byte & 15);
  };
  Bytes stream;
  for (size_t y = 0; y < h; ++y) {
    for (size_t x = 0; x < w;) {
      const size_t left = std::min<size_t>(w - x, 254);
      if (y % 2 == 0 || left < 3) {
        size_t n = 1;
        while (n < left && index(x + n, y) == index(x, y)) ++n;
        uint8_t v = index(x, y);
        if (bpp == 4 && n == 1 && left > 1) {
          v = static_cast<uint8_t>(v << 4 | index(x + 1, y));  // a run of two different nibbles
          n = 2;
        } else if (bpp == 4) {
          v = static_cast<uint8_t>(v * 17);
        }
        stream.insert(stream.end(), {static_cast<uint8_t>(n), v});
        x += n;
        continue;
      }
      stream.insert(stream.end(), {0, static_cast<uint8_t>(left)});
      Bytes literal;
      for (size_t i = 0; i < left; ++i) {
        if (bpp == 8) literal.push_back(index(x + i, y));
        else if (i % 2 == 0) literal.push_back(static_cast<uint8_t>(index(x + i, y) << 4));
        else literal.back() |= index(x + i, y);
      }
      if (literal.size() % 2 != 0) literal.push_back(0);
      stream.insert(stream.end(), literal.begin(), literal.end());
      x += left;
    }
    stream.insert(stream.end(), {0, static_cast<uint8_t>(y + 1 == h ? 1 : 0)});
  }
  b.resize(offset);
  b.insert(b.end(), stream.begin(), stream.end());
  Set32(b, 2, static_cast<uint32_t>(b.size()));
  Set32(b, 30, bpp == 8 ? 1 : 2);
  Set32(b, 34, static_cast<uint32_t>(stream.size()));
}

void None(Bytes&) {}
void V4(Bytes& b) { CutHeader(b, 108); }
void V3(Bytes& b) { CutHeader(b, 56); }
void V2(Bytes& b) { CutHeader(b, 52); }
// The plain info header with the three channel masks after it.
void InfoMasks(Bytes& b) {
  CutHeader(b, 52);
  Set32(b, 14, 40);
}
// The plain info header, uncompressed: five bits a channel.
void Info555(Bytes& b) {
  CutHeader(b, 40);
  Set32(b, 30, 0);
}

struct Form {
  const char* name;
  const char* convert;  // ImageMagick's options and output form
  void (*remake)(Bytes&);
};

const Form kForms[] = {
    {"Core24", "-type TrueColor BMP2:", None},
    {"Core8", "-colors 200 -type Palette BMP2:", None},
    {"Core4", "-colors 12 BMP2:", None},
    {"Core1", "-monochrome BMP2:", None},
    {"Info24", "-type TrueColor BMP3:", None},
    {"Info32", "-alpha on -define bmp3:alpha=true BMP3:", None},
    {"Info8", "-colors 200 -type Palette -compress None BMP3:", None},
    {"Info4", "-colors 12 BMP3:", None},
    {"Info1", "-monochrome BMP3:", None},
    {"Info8ShortPalette", "-colors 40 -type Palette -compress None BMP3:", ShortPalette},
    {"Info4ShortPalette", "-colors 5 BMP3:", ShortPalette},
    {"Info24TopDown", "-type TrueColor BMP3:", TopDown},
    {"Info8TopDown", "-colors 200 -type Palette -compress None BMP3:", TopDown},
    {"Info16Rgb", "-define bmp:subtype=RGB555 BMP:", Info555},
    {"Info16Masks565", "-define bmp:subtype=RGB565 BMP:", InfoMasks},
    {"Rle8", "-colors 200 -type Palette -compress RLE BMP3:", None},
    {"Rle8Literal", "-colors 200 -type Palette -compress None BMP3:", RunLength},
    {"Rle4", "-colors 12 BMP3:", RunLength},
    {"V2Masks565", "-define bmp:subtype=RGB565 BMP:", V2},
    {"V3Masks555", "-define bmp:subtype=RGB555 BMP:", V3},
    {"V4Masks32", "-alpha set -define bmp:subtype=ARGB8888 BMP:", V4},
    {"V4Rgb24", "-type TrueColor BMP:", V4},
    {"V5Rgb24", "-type TrueColor BMP:", None},
    {"V5Masks565", "-define bmp:subtype=RGB565 BMP:", None},
    {"V5Masks555", "-define bmp:subtype=RGB555 BMP:", None},
    {"V5Masks32", "-alpha set -define bmp:subtype=ARGB8888 BMP:", None},
};

class DrawBitmapForms : public DrawTest, public ::testing::WithParamInterface<Form> {
 protected:
  void Convert(const std::string& args) {
    const std::string command = "convert " + args + " 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0)
        << "ImageMagick's convert is needed for these tests (scripts/setup.sh installs it): "
        << command;
  }

  std::string LastBox() const { return host.box_texts.empty() ? "" : host.box_texts.back(); }

  static Bytes ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
};

TEST_P(DrawBitmapForms, LoadsAsTheConverterDecodesItAndRefusesALyingSize) {
  const Form& form = GetParam();
  Open();
  // 13 x 7: odd widths pad every depth's rows; the four corners' colours blend across it.
  const std::string source = dir + "source.png", file = dir + "IMAGE/F.BMP";
  std::filesystem::create_directories(dir + "IMAGE");
  Convert("-size 13x7 xc: -sparse-color Bilinear '0,0 #f00 12,0 #0f0 0,6 #00f 12,6 #fff' " +
          source);
  Convert(source + " " + form.convert + file);
  Bytes bytes = ReadAll(file);
  ASSERT_GT(bytes.size(), 54u);
  form.remake(bytes);
  testbmp::WriteFile(file, bytes);
  if (const char* keep = std::getenv("MORV_KEEP_BITMAP_FORMS")) {
    testbmp::WriteFile(std::string(keep) + "/" + form.name + ".bmp", bytes);
  }
  Convert(file + " -depth 8 rgb:" + dir + "decoded.rgb");
  const Bytes rgb = ReadAll(dir + "decoded.rgb");
  ASSERT_EQ(rgb.size(), 13u * 7 * 3);

  const int slot = elDraw::LoadObject("IMAGE/F.BMP", 2);
  ASSERT_EQ(slot, 4) << LastBox();
  ASSERT_EQ(gDrawObjects[slot].width, 13);
  ASSERT_EQ(gDrawObjects[slot].height, 7);
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 13; ++x) {
      const uint8_t* p = &rgb[(y * 13 + x) * 3];
      const uint32_t want = ((p[0] >> 3) << 11) | ((p[1] >> 2) << 5) | (p[2] >> 3);
      EXPECT_EQ(SlotPixel(slot, x, y), want) << x << "," << y;
    }
  }

  // More rows than the file holds, or a run-length stream longer than the file.
  const bool core = Get32(bytes, 14) == 12;
  const uint32_t compression = core ? 0 : Get32(bytes, 30);
  if (compression == 1 || compression == 2) {
    Set32(bytes, 34, static_cast<uint32_t>(bytes.size() - Get32(bytes, 10) + 1));
  } else if (core) {
    Set16(bytes, 20, 8);
  } else {
    Set32(bytes, 22, static_cast<int32_t>(Get32(bytes, 22)) < 0 ? static_cast<uint32_t>(-8) : 8);
  }
  testbmp::WriteFile(file, bytes);
  EXPECT_EQ(elDraw::LoadObject("IMAGE/F.BMP", 2), 0);
  EXPECT_EQ(LastBox(), "elDraw::LoadObject : BMPファイルを読み込めません");
}

INSTANTIATE_TEST_SUITE_P(Forms, DrawBitmapForms, ::testing::ValuesIn(kForms),
                         [](const ::testing::TestParamInfo<Form>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
