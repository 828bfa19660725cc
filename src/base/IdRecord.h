#pragma once
// One chosen Application Identifier and everything the user decided about it.
// A plain value: copying a record copies all of its texts.
#include <array>
#include <cstdint>
#include <string>

namespace velmora {

struct IdRecord {
  std::string IdName;
  std::string IdKey;
  std::string IdKeyBackup;
  std::int16_t RankInFile = 0;
  std::int16_t IndexInList = 0;
  std::int16_t IsSaved = 0;
  std::int16_t IsFixed = 0;    // Boolean
  std::int16_t IsNumeric = 0;  // Boolean
  std::int16_t HasMax = 0;     // Boolean
  std::int16_t CharLen = 0;
  std::int16_t CharLenBackup = 0;
  std::string FixData;
  std::string VarData;
  std::int16_t Selection = 0;
  std::array<std::int16_t, 5> Choice{};  // check-box states: 0 clear, 1 ticked, 2 grayed
  std::string Prefix;
  std::string Matrix;
  std::string Suffix;

  bool operator==(const IdRecord&) const = default;
};

}  // namespace velmora
