// SPDX-License-Identifier: MIT
// libFuzzer target: sequences of chart range operations with arbitrary values.

#include <cstdio>
#include <cstdlib>

#include "fuzz_app.h"
#include "scale_checks.h"

namespace {
zyr::TRChart* chart = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  zyr::fuzz::StartApplication(argc, argv);
  chart = new zyr::TRChart(nullptr);
  chart->SetBounds(0, 0, 160, 120);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string e = zyr::fuzz::CheckRanges(*chart, data, size);
  if (!e.empty()) {
    std::fprintf(stderr, "range check failed: %s\n", e.c_str());
    std::abort();
  }
  return 0;
}
