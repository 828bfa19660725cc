#pragma once
// The members of the host's label document that the wizard uses, by their
// numbers (DISPIDs): the one place the protocol's numbers are written, for
// the wizard's side (Connect), the document file that stands in for a host,
// and velmora-label's host end.
#include <cstdint>

namespace velmora::protocol {

inline constexpr std::int32_t kVariableList = 1;  // the document's variables, a collection
inline constexpr std::int32_t kVariableName = 1;  // a variable's name
inline constexpr std::int32_t kVariableKind = 3;  // a variable's kind: 5, 6 and 7 can feed an AI
inline constexpr std::int32_t kNumberStep1 = 7;   // the document's number, reached in three steps
inline constexpr std::int32_t kNumberStep2 = 12;
inline constexpr std::int32_t kNumber = 15;
inline constexpr std::int32_t kImport = 23;  // the document's method that imports the template

}  // namespace velmora::protocol
