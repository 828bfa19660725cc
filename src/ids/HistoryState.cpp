#include "ids/HistoryState.h"

namespace velmora {

HistoryState& History() {
  static HistoryState state;
  return state;
}

void ResetHistory() { History() = HistoryState{}; }

bool HasIdFlag(std::int16_t rank, IdFlag flag) { return History().IdFlags[flag](rank) != 0; }

}  // namespace velmora
