#include "assets/writers.h"

namespace assetgen {

namespace {

void PutTag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

}  // namespace

std::vector<uint8_t> EncodeWave(const std::vector<int16_t>& samples, int rate) {
  uint32_t dataBytes = static_cast<uint32_t>(samples.size()) * 2;
  std::vector<uint8_t> out;
  PutTag(out, "RIFF");
  Put32(out, 4 + (8 + 16) + (8 + dataBytes));
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, static_cast<uint32_t>(rate));
  Put32(out, static_cast<uint32_t>(rate) * 2);  // bytes per second
  Put16(out, 2);                                // block align
  Put16(out, 16);                               // bits per sample
  PutTag(out, "data");
  Put32(out, dataBytes);
  for (int16_t s : samples) Put16(out, static_cast<uint16_t>(s));
  if (dataBytes & 1) out.push_back(0);
  return out;
}

}  // namespace assetgen
