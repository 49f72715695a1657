// SPDX-License-Identifier: MIT
// libFuzzer target: arbitrary bytes as a chart item file, read as data and as annotations,
// replacing and appending. Any broken check aborts, so the fuzzer keeps the input.

#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "load_checks.h"

namespace {

struct Fixture {
  std::unique_ptr<QApplication> app;
  std::unique_ptr<zyr::TRChart> chart, scratch;
  std::string file, scratchFile;
};

Fixture* fx = nullptr;

std::string TempName(const char* tag) {
  // Memory-backed when available: every run writes two small files.
  const std::filesystem::path dir = std::filesystem::is_directory("/dev/shm")
                                        ? "/dev/shm"
                                        : std::filesystem::temp_directory_path();
  return (dir / ("zyr-fuzz-" + std::to_string(getpid()) + "-" + tag + ".dat")).string();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  fx = new Fixture;  // lives as long as the process; libFuzzer exits without teardown
  fx->app = std::make_unique<QApplication>(*argc, *argv);
  fx->chart = std::make_unique<zyr::TRChart>(nullptr);
  fx->scratch = std::make_unique<zyr::TRChart>(nullptr);
  for (auto* c : {fx->chart.get(), fx->scratch.get()}) c->SetBounds(0, 0, 80, 60);
  fx->file = TempName("in");
  fx->scratchFile = TempName("out");
  std::atexit([] {
    std::remove(fx->file.c_str());
    std::remove(fx->scratchFile.c_str());
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zyr::fuzz::WriteFile(fx->file, data, size);
  for (bool anno : {false, true})
    for (bool append : {false, true}) {
      const std::string e = zyr::fuzz::CheckLoad(*fx->chart, *fx->scratch, fx->file,
                                                 fx->scratchFile, data, size, anno, append);
      if (!e.empty()) {
        std::fprintf(stderr, "item file check failed: %s\n", e.c_str());
        std::abort();
      }
    }
  return 0;
}
