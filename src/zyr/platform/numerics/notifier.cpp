// SPDX-License-Identifier: MIT
#include <zyr/platform/numerics/notifier.h>

namespace zyr {

void TChangeNotifier::EndUpdate() {
  if (FUpdateCount == 0) return;  // unbalanced call: nothing to close
  if (--FUpdateCount == 0 && FPending) {
    FPending = false;
    if (OnChange) OnChange(this);
  }
}

void TChangeNotifier::Changed() {
  if (FUpdateCount > 0) {
    FPending = true;
    return;
  }
  if (OnChange) OnChange(this);
}

}  // namespace zyr
