#include "kit/Kit.h"

namespace tond {

CKit::CKit() { Clear(); }

void CKit::Clear() {
  for (auto& slot : slots_) slot.Empty();
}

}  // namespace tond
