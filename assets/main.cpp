// morv_assetgen: paints every picture, synthesizes both sound effects and composes both tunes of
// the game, and writes them under the given program directory.
//
//   morv_assetgen --out DIR [--sheet contact_sheet.png] [--stamp FILE] [--only TEXT] [--zoom N]
//
// --only paints just the pictures whose names contain TEXT (or one of its comma-separated parts) (for a quick look at one family with
// --sheet, enlarged N times with --zoom) and writes no stamp. The output is the same, byte for byte, on every run.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "assets/asset_table.h"
#include "assets/contact_sheet.h"
#include "assets/writers.h"

// fontconfig keeps its configuration for the life of the process; that is not our leak. The
// leak checker of a sanitized build (gcc or clang) asks for this; other builds never call it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

namespace assetgen {
bool WriteIcon(const std::string& out);
}

namespace {

using namespace assetgen;

Image PaintPicture(const PictureSpec& spec) {
  Picture p;
  p.width = spec.width;
  p.height = spec.height;
  p.surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, spec.width, spec.height);
  p.cr = cairo_create(p.surface);
  p.rng = Rng(HashName(spec.name));
  spec.paint(p, spec.variant);
  Image img = Flatten(p);
  cairo_destroy(p.cr);
  cairo_surface_destroy(p.surface);
  return img;
}

// True when `name` contains one of the comma-separated parts of `filter`.
bool NameMatches(const char* name, const std::string& filter) {
  size_t start = 0;
  while (start <= filter.size()) {
    size_t end = filter.find(',', start);
    if (end == std::string::npos) end = filter.size();
    std::string part = filter.substr(start, end - start);
    if (!part.empty() && std::strstr(name, part.c_str()) != nullptr) return true;
    start = end + 1;
  }
  return false;
}

int Usage() {
  std::fprintf(stderr,
               "usage: morv_assetgen --out DIR [--sheet FILE.png] [--stamp FILE] [--only TEXT] "
               "[--zoom N]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out, sheet, stamp, only;
  int zoom = 1;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (i + 1 >= argc) return Usage();
    if (a == "--out") {
      out = argv[++i];
    } else if (a == "--sheet") {
      sheet = argv[++i];
    } else if (a == "--stamp") {
      stamp = argv[++i];
    } else if (a == "--only") {
      only = argv[++i];
    } else if (a == "--zoom") {
      zoom = std::atoi(argv[++i]);
      if (zoom < 1 || zoom > 8) return Usage();
    } else {
      return Usage();
    }
  }
  if (out.empty()) return Usage();
  auto start = std::chrono::steady_clock::now();

  std::vector<SheetEntry> entries;
  int failures = 0;
  for (int i = 0; i < kPictureCount; ++i) {
    const PictureSpec& spec = kPictures[i];
    if (!only.empty() && !NameMatches(spec.name, only)) continue;
    Image img = PaintPicture(spec);
    if (!WriteFileBytes(out + "/" + spec.name, EncodeBmp24(img))) {
      std::fprintf(stderr, "morv_assetgen: cannot write %s/%s\n", out.c_str(), spec.name);
      ++failures;
    }
    if (!sheet.empty()) entries.push_back({spec.name, std::move(img)});
  }
  if (only.empty()) {
    for (int i = 0; i < kSoundCount; ++i) {
      if (!WriteFileBytes(out + "/" + kSounds[i].name,
                          EncodeWave(kSounds[i].synthesize(), kSoundRate))) {
        std::fprintf(stderr, "morv_assetgen: cannot write %s/%s\n", out.c_str(), kSounds[i].name);
        ++failures;
      }
    }
    for (int i = 0; i < kTuneCount; ++i) {
      if (!WriteFileBytes(out + "/" + kTunes[i].name, kTunes[i].compose())) {
        std::fprintf(stderr, "morv_assetgen: cannot write %s/%s\n", out.c_str(), kTunes[i].name);
        ++failures;
      }
    }
  }
  if (only.empty()) {
    if (!WriteIcon(out)) {
      std::fprintf(stderr, "morv_assetgen: cannot write the icon\n");
      ++failures;
    }
  }
  if (!sheet.empty() && !WriteContactSheet(sheet, entries, zoom)) {
    std::fprintf(stderr, "morv_assetgen: cannot write %s\n", sheet.c_str());
    ++failures;
  }
  cairo_debug_reset_static_data();
  if (failures > 0) return 1;
  if (!stamp.empty() && only.empty() && !WriteFileBytes(stamp, {'o', 'k', '\n'})) return 1;
  double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("morv_assetgen: %d pictures, %d sounds, %d tunes in %.2f s\n",
              static_cast<int>(only.empty() ? kPictureCount : entries.size()),
              only.empty() ? kSoundCount : 0, only.empty() ? kTuneCount : 0, seconds);
  return 0;
}
