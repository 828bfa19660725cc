#pragma once
// Names for the template's two formula variables, with letters drawn at random.
#include <string>

namespace velmora {

// Where the letters come from. The default reseeds a generator from the clock
// at every name; tests install a fixed sequence.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual void Reseed() = 0;
  // A number drawn uniformly from [0, 1).
  virtual double Next() = 0;
};

// Installs `source` (not owned; null restores the clock-seeded default) and
// returns the one it replaces.
RandomSource* SetRandomSource(RandomSource* source);

// `prefix`, five capital letters chosen at random, `suffix`.
std::string MakeVariableName(const std::string& prefix, const std::string& suffix);

}  // namespace velmora
