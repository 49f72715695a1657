#!/usr/bin/env bash
# Installs the Debian packages the build, tests, benchmarks and gallery need.
# Safe to run again: does nothing when everything is present.
# `setup.sh fuzz` also installs clang and its fuzzer runtime, which only `make fuzz` needs.
# On systems without dpkg/apt, or with ZYR_SKIP_SETUP set, it installs nothing.
set -euo pipefail

PACKAGES=(
  g++ cmake ninja-build make pkg-config
  qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
  # Qt Designer plugin and form-loading tests; Qt6Designer's CMake files need Qt6OpenGL's.
  qt6-tools-dev libqt6opengl6-dev libopengl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
  # `make docs`: the reference and its class graphs.
  doxygen graphviz
)
if [ "${1:-}" = "fuzz" ]; then PACKAGES+=(clang libclang-rt-14-dev); fi

# Other systems install the dependencies their own way (see the README); the build then finds
# them itself, so this step only says why it does nothing.
if [ -n "${ZYR_SKIP_SETUP:-}" ]; then
  exit 0
fi
if ! command -v dpkg-query >/dev/null 2>&1 || ! command -v apt-get >/dev/null 2>&1; then
  echo "setup: not a Debian-like system (no dpkg/apt); skipping package installation."
  echo "setup: install the dependencies listed in README.md (\"Building without the script\")."
  exit 0
fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "setup: installing ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
