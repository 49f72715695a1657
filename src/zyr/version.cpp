// SPDX-License-Identifier: MIT
#include <zyr/version.h>

namespace zyr {

// Compiled into the library, so a program can tell which build it loaded.
const char* Version() noexcept { return ZYR_VERSION_STR; }

}  // namespace zyr
