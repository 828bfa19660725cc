#include "label/ValueChecks.h"

#include <array>
#include <string_view>

#include "platform/Utf8Text.h"
#include "symbol/Findings.h"

namespace velmora::label {
namespace {

// The barcode data's markers, which the host reads as instructions wherever
// they stand, and GS, the FNC1 of scanned data.
constexpr std::array<std::string_view, 5> kControls = {"{FNC1}", "{CODE A}", "{CODE B}", "{CODE C}", "\x1D"};

void FindControls(const std::string& name, const std::string& value, std::vector<std::string>& problems) {
  for (const std::string_view control : kControls) {
    const std::size_t at = value.find(control);
    if (at == std::string::npos) continue;
    problems.push_back(name + ": '" + symbol::Printable(control) + "' at character " +
                       std::to_string(CodePointCount(std::string_view(value).substr(0, at)) + 1) +
                       " would be read as a barcode control, not data (GS1 allows no such character in AI data)");
    return;
  }
}

bool IsGtin(const symbol::Formula::Padded& p) {
  return p.width == 14 && (p.before.ends_with("01") || p.before.ends_with("02"));
}

// A value the template would pad with zeros, or cut: either changes the data without a word.
void FindLength(const std::string& value, const symbol::Formula::Padded& p, std::vector<std::string>& problems) {
  const std::size_t length = CodePointCount(value);
  if (length > p.width) {
    problems.push_back(p.name + ": " + std::to_string(length) + " characters given; the template keeps " +
                       std::to_string(p.width) + " and would cut the rest ('" +
                       symbol::Printable(std::string_view(value).substr(ByteOffsetOfChar(value, p.width))) + "')");
    return;
  }
  if (length == p.width) return;
  const bool digits = value.find_first_not_of("0123456789") == std::string::npos;
  if (IsGtin(p) && digits && length >= 8) {
    const std::string n = std::to_string(length);
    problems.push_back(p.name + ": " + n + " digits given for a 14-digit GTIN: a GTIN-" + n + " needs " +
                       (length == 13 ? "a leading 0" : std::to_string(14 - length) + " leading 0s"));
    return;
  }
  problems.push_back(p.name + ": " + std::to_string(length) + " of " + std::to_string(p.width) +
                     " characters given; the template would add " + std::to_string(p.width - length) +
                     " zeros after them");
}

}  // namespace

std::vector<std::string> ValueProblems(const symbol::VariableValues& given,
                                       const std::vector<symbol::Formula::Padded>& padded) {
  std::vector<std::string> problems;
  for (const auto& [name, value] : given) FindControls(name, value, problems);
  for (const symbol::Formula::Padded& p : padded) {
    const auto found = given.find(p.name);
    if (found != given.end()) FindLength(found->second, p, problems);
  }
  return problems;
}

}  // namespace velmora::label
