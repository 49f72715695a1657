// SPDX-License-Identifier: MIT
#pragma once
// Helpers that make file operations fail the way real machines do: a full disk, a pipe
// nobody writes to, and a look at what a failed write left in its folder.

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>

namespace zyr::test {

// Writes beyond `bytes` fail as on a full disk (EFBIG instead of a signal) while in scope.
class DiskFullAfter {
 public:
  explicit DiskFullAfter(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &FOld);
    FOldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit l = FOld;
    l.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &l);
  }
  ~DiskFullAfter() {
    setrlimit(RLIMIT_FSIZE, &FOld);
    signal(SIGXFSZ, FOldHandler);
  }
  DiskFullAfter(const DiskFullAfter&) = delete;
  DiskFullAfter& operator=(const DiskFullAfter&) = delete;

 private:
  rlimit FOld{};
  void (*FOldHandler)(int) = SIG_DFL;
};

// A FIFO in a fresh folder, and a guard that frees a reader stuck on it: if someone still
// holds the pipe open for reading after `patience`, the guard opens the writing end (so a
// blocked open returns) and remembers that it had to.
class StuckPipeGuard {
 public:
  explicit StuckPipeGuard(const std::string& fifo,
                          std::chrono::milliseconds patience = std::chrono::milliseconds(3000))
      : FThread([this, fifo, patience] {
          const auto end = std::chrono::steady_clock::now() + patience;
          while (!FDone && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
          if (FDone) return;
          const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
          if (fd >= 0) {
            FHadToFree = true;
            ::close(fd);
          }
        }) {}
  ~StuckPipeGuard() { Finish(); }
  // True when a reader was still blocked on the pipe.
  bool Finish() {
    FDone = true;
    if (FThread.joinable()) FThread.join();
    return FHadToFree;
  }

 private:
  std::atomic<bool> FDone{false}, FHadToFree{false};
  std::thread FThread;
};

inline std::filesystem::path FreshDir(const std::string& name) {
  auto dir =
      std::filesystem::temp_directory_path() / ("zyr_" + name + "_" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

inline std::set<std::string> FilesIn(const std::filesystem::path& dir) {
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir))
    names.insert(e.path().filename().string());
  return names;
}

inline std::string ReadBytes(const std::filesystem::path& fn) {
  std::ifstream f(fn, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

inline void WriteBytes(const std::filesystem::path& fn, const std::string& bytes) {
  std::ofstream f(fn, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), std::streamsize(bytes.size()));
}

}  // namespace zyr::test
