#include "template/VariableNames.h"

#include <chrono>
#include <cmath>
#include <random>

namespace velmora {
namespace {

class ClockSeededSource : public RandomSource {
 public:
  void Reseed() override {
    generator_.seed(
        static_cast<std::mt19937::result_type>(std::chrono::system_clock::now().time_since_epoch().count()));
  }
  double Next() override { return std::uniform_real_distribution<double>(0.0, 1.0)(generator_); }

 private:
  std::mt19937 generator_;
};

RandomSource*& Installed() {
  static RandomSource* source = nullptr;
  return source;
}

}  // namespace

RandomSource* SetRandomSource(RandomSource* source) {
  RandomSource* previous = Installed();
  Installed() = source;
  return previous;
}

std::string MakeVariableName(const std::string& prefix, const std::string& suffix) {
  static ClockSeededSource clock;
  RandomSource& source = Installed() != nullptr ? *Installed() : clock;
  source.Reseed();
  std::string name = prefix;
  for (int i = 0; i < 5; ++i) {
    // Halves round to even, so "A" and "Z" come up half as often as the others.
    name += static_cast<char>(std::nearbyint(source.Next() * 25 + 65));
  }
  return name + suffix;
}

}  // namespace velmora
