// SPDX-License-Identifier: MIT
// libFuzzer target: tick computation and drawing of a scale over arbitrary ranges.

#include <cstdio>
#include <cstdlib>

#include "fuzz_app.h"
#include "scale_checks.h"

namespace {
zyr::TScale* scale = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  zyr::fuzz::StartApplication(argc, argv);
  scale = new zyr::TScale(nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string e = zyr::fuzz::CheckTicks(*scale, data, size);
  if (!e.empty()) {
    std::fprintf(stderr, "tick check failed: %s\n", e.c_str());
    std::abort();
  }
  return 0;
}
