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

class TPaintKey {
 public:
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
  TPaintKey& Add(const TFont& f) {
    return Add(f.Name()).Add(f.Height()).Add(f.Color()).Add(f.Style()).Add(f.Orientation());
  }
  TPaintKey& Add(const TPen& p) {
    return Add(p.Color()).Add(p.Style()).Add(p.Width()).Add(p.Mode());
  }
  TPaintKey& Add(const TBrush& b) { return Add(b.Color()).Add(b.Style()); }

  bool Empty() const { return FBytes.empty(); }
  void Clear() { FBytes.clear(); }
  bool operator==(const TPaintKey& o) const { return FBytes == o.FBytes; }

 private:
  std::string FBytes;
};

}  // namespace zyr
