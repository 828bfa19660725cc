#pragma once
// Fixed draws for the template's variable names, so tests can compare whole files.
#include <cstddef>

#include "template/VariableNames.h"

namespace velmora::test {

// Draws 0.0, 0.02, 0.5, 0.98, 0.999 after every reseed: the letters A B N Z Z.
// Installs itself for its lifetime.
class FixedRandom : public RandomSource {
 public:
  FixedRandom() : previous_(SetRandomSource(this)) {}
  ~FixedRandom() override { SetRandomSource(previous_); }
  FixedRandom(const FixedRandom&) = delete;
  FixedRandom& operator=(const FixedRandom&) = delete;
  void Reseed() override { next_ = 0, ++reseeds; }
  double Next() override { return kDraws[next_++ % 5]; }
  int reseeds = 0;

 private:
  static constexpr double kDraws[5] = {0.0, 0.02, 0.5, 0.98, 0.999};
  RandomSource* previous_;
  std::size_t next_ = 0;
};

}  // namespace velmora::test
