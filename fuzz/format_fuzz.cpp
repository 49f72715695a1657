// SPDX-License-Identifier: MIT
// libFuzzer target: number formats, text functions and date formats over arbitrary values.

#include <cstdio>
#include <cstdlib>

#include "scale_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string e = zyr::fuzz::CheckFormat(data, size);
  if (!e.empty()) {
    std::fprintf(stderr, "format check failed: %s\n", e.c_str());
    std::abort();
  }
  return 0;
}
