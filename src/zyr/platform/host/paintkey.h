// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TPaintKey: the bytes of every setting a cached piece of a picture was drawn with. Two
/// keys are equal exactly when the settings were, so a cache keyed on them is never stale
/// as long as the key holds everything the drawing reads.

#include <zyr/platform/host/graphics.h>

#include <string>
#include <type_traits>

namespace zyr {

/// Key of a cached piece of picture, built by appending every setting its drawing reads;
/// used by the picture caches of the charts and scales.
class TPaintKey {
 public:
  /// Appends the bytes of a plain value (number, colour, enumeration, point, box).
  template <class T>
  requires std::is_trivially_copyable_v<T> TPaintKey& Add(const T& v) {
    FBytes.append(reinterpret_cast<const char*>(&v), sizeof v);
    return *this;
  }
  /// Texts carry their length, so that neighbouring texts cannot trade characters.
  TPaintKey& Add(const std::string& s) {
    Add(s.size());
    FBytes.append(s);
    return *this;
  }
  /// Appends the font's name, height, colour, style and orientation.
  TPaintKey& Add(const TFont& f) {
    return Add(f.Name()).Add(f.Height()).Add(f.Color()).Add(f.Style()).Add(f.Orientation());
  }
  /// Appends the pen's colour, style, width and mode.
  TPaintKey& Add(const TPen& p) {
    return Add(p.Color()).Add(p.Style()).Add(p.Width()).Add(p.Mode());
  }
  /// Appends the brush's colour and style.
  TPaintKey& Add(const TBrush& b) { return Add(b.Color()).Add(b.Style()); }

  /// True when nothing was added since construction or Clear().
  bool Empty() const { return FBytes.empty(); }
  /// Forgets everything added.
  void Clear() { FBytes.clear(); }
  /// Equal exactly when the same values were added in the same order.
  bool operator==(const TPaintKey& o) const { return FBytes == o.FBytes; }

 private:
  std::string FBytes;
};

}  // namespace zyr
