// SPDX-License-Identifier: MIT
#include <zyr/platform/host/types.h>

namespace zyr {

TColor ColorToRGB(TColor c) {
  if (c == clNone) return clWhite;
  if (c == clDefault) return clBlack;
  if ((c & 0xFF000000u) != clSystemColor) return c & 0x00FFFFFFu;
  // Classic desktop values, fixed so that pictures are the same on every machine.
  static constexpr TColor kSystem[] = {
      0xC8C8C8,  // scroll bar
      0x000000,  // background
      0xD1B499,  // active caption
      0xDBCDBF,  // inactive caption
      0xF0F0F0,  // menu
      0xFFFFFF,  // window
      0x646464,  // window frame
      0x000000,  // menu text
      0x000000,  // window text
      0x000000,  // caption text
      0xB4B4B4,  // active border
      0xFCF7F4,  // inactive border
      0xABABAB,  // application work space
      0xD77800,  // highlight
      0xFFFFFF,  // highlight text
      0xF0F0F0,  // button face
      0xA0A0A0,  // button shadow
      0x6D6D6D,  // grey text
      0x000000,  // button text
      0x000000,  // inactive caption text
      0xFFFFFF,  // button highlight
      0x696969,  // 3D dark shadow
      0xE3E3E3,  // 3D light
      0x000000,  // info text
      0xE1FFFF,  // info background
  };
  const TColor idx = c & 0xFFu;
  return idx < sizeof(kSystem) / sizeof(kSystem[0]) ? kSystem[idx] : clBlack;
}

}  // namespace zyr
