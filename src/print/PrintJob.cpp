#include "print/PrintJob.h"

#include <algorithm>

namespace velmora::print {

int PrintJob::WholeLabelsWithin(std::size_t bytes) const {
  return static_cast<int>(std::upper_bound(labelEnds.begin(), labelEnds.end(), bytes) - labelEnds.begin());
}

}  // namespace velmora::print
