#pragma once
// The worksheet's fixed scale, one record: the grid and picture-size dialogs
// receive a copy of it. The floats are given by their single-precision bit
// patterns so that no decimal rounding can creep in.
#include <bit>
#include <cstdint>

struct TScaleRecord {
  int32_t PixelsPerMm = 5;
  float PixelsPerInch = std::bit_cast<float>(0x42FE0021u);   // 127.000254
  float InchesPerPixel = std::bit_cast<float>(0x3C0101F3u);  // 0.007874
  float InchesPerMm = std::bit_cast<float>(0x3D214270u);     // 0.03937
  float MmPerInch = std::bit_cast<float>(0x41CB3333u);       // 25.4
};
