// SPDX-License-Identifier: MIT
#pragma once
// Turns fuzzer bytes into the values the scale, format and range checks need. Doubles come
// both as raw bit patterns and from a table of troublesome values (subnormals, the ends of
// the double range, huge nearly equal numbers), so short inputs reach the edges quickly.

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

namespace zyr::fuzz {

class TFuzzInput {
 public:
  TFuzzInput(const uint8_t* data, size_t size) : p_(data), n_(size) {}

  bool Empty() const { return i_ >= n_; }
  /// The next byte (0 once the input is used up).
  uint8_t Byte() { return i_ < n_ ? p_[i_++] : 0; }
  bool Bool() { return Byte() & 1; }
  /// An integer in lo .. hi.
  int Int(int lo, int hi) {
    const uint32_t span = uint32_t(int64_t(hi) - lo + 1);
    uint32_t v = Byte();
    if (span > 256) v = v << 8 | Byte();
    return int(int64_t(lo) + v % span);
  }
  double Double() {
    switch (Byte() % 6) {
      case 0: {
        uint64_t bits = 0;
        for (int k = 0; k < 8; ++k) bits = bits << 8 | Byte();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
      }
      case 1:
        return double(int8_t(Byte())) * std::pow(10.0, Int(-12, 12));
      case 2: {
        static constexpr double kEdges[] = {0.0,
                                            -0.0,
                                            5e-324,
                                            -5e-324,
                                            DBL_MIN,
                                            DBL_MAX,
                                            -DBL_MAX,
                                            std::numeric_limits<double>::infinity(),
                                            -std::numeric_limits<double>::infinity(),
                                            std::numeric_limits<double>::quiet_NaN(),
                                            1e-100,
                                            1.6525713066466286e40,
                                            1.6525713066466281e40,
                                            9.2233720368547758e18,
                                            2147483648.0,
                                            -693594.0,
                                            2958465.99999,
                                            1e308};
        return kEdges[Byte() % (sizeof kEdges / sizeof kEdges[0])];
      }
      case 3:
        return double(int16_t(Int(0, 65535))) / 8.0;
      case 4:
        // Near the previous value: nearly equal ends.
        return std::nextafter(last_, Bool() ? INFINITY : -INFINITY) * (Bool() ? 1 : 1 + 1e-15);
      default:
        return last_ = double(Int(0, 65535)) * std::pow(2.0, Int(-1100, 1000));
    }
  }
  /// A double remembered as the base of the next nearly equal one.
  double Value() { return last_ = Double(); }
  std::string Text(size_t maxLen) {
    const size_t len = std::min<size_t>(Byte() % (maxLen + 1), n_ - std::min(i_, n_));
    std::string s(reinterpret_cast<const char*>(p_ + i_), len);
    i_ += len;
    return s;
  }

 private:
  const uint8_t* p_;
  size_t n_;
  size_t i_ = 0;
  double last_ = 1;
};

}  // namespace zyr::fuzz
