#include "print/HostStatus.h"

#include <charconv>

#include "platform/Tables.h"

namespace velmora::print {
namespace {

constexpr char kStx = '\x02';
constexpr char kEtx = '\x03';

// The comma-separated fields of the string that starts at the `index`th STX.
std::optional<std::vector<std::string_view>> Fields(std::string_view answer, int index) {
  std::size_t start = std::string_view::npos;
  for (std::size_t at = 0; index >= 0; --index, at = start + 1) {
    start = answer.find(kStx, at);
    if (start == std::string_view::npos) return std::nullopt;
  }
  const std::size_t end = answer.find(kEtx, start);
  if (end == std::string_view::npos) return std::nullopt;
  std::vector<std::string_view> fields;
  std::string_view rest = answer.substr(start + 1, end - start - 1);
  for (std::size_t comma; (comma = rest.find(',')) != std::string_view::npos; rest.remove_prefix(comma + 1)) {
    fields.push_back(rest.substr(0, comma));
  }
  fields.push_back(rest);
  return fields;
}

std::optional<long> Number(std::string_view field) {
  long value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size() || value < 0) return std::nullopt;
  return value;
}

}  // namespace

std::optional<HostStatus> ParseHostStatus(std::string_view answer) {
  const auto one = Fields(answer, 0);
  const auto two = Fields(answer, 1);
  if (!one || !two || one->size() < 12 || two->size() < 11) return std::nullopt;
  std::vector<long> a;
  for (std::string_view f : *one) a.push_back(Number(f).value_or(-1));
  std::vector<long> b;
  for (std::string_view f : *two) b.push_back(Number(f).value_or(-1));
  for (const long v : {a[1], a[2], a[4], a[5], a[9], a[10], a[11], b[2], b[3], b[8]}) {
    if (v < 0) return std::nullopt;
  }
  HostStatus s;
  s.paperOut = a[1] == 1;
  s.paused = a[2] == 1;
  s.formatsInBuffer = static_cast<int>(a[4]);
  s.bufferFull = a[5] == 1;
  s.corruptRam = a[9] == 1;
  s.underTemperature = a[10] == 1;
  s.overTemperature = a[11] == 1;
  s.headUp = b[2] == 1;
  s.ribbonOut = b[3] == 1;
  s.labelsRemaining = b[8];
  return s;
}

std::vector<std::string> HostStatus::Problems() const {
  const std::pair<bool, const char*> flags[] = {
      {paperOut, "paper out"},
      {paused, "paused"},
      {headUp, "head open"},
      {ribbonOut, "ribbon out"},
      {underTemperature, "head under temperature"},
      {overTemperature, "head over temperature"},
      {corruptRam, "configuration lost (corrupt RAM)"},
  };
  std::vector<std::string> problems;
  for (const auto& [set, name] : flags) {
    if (set) problems.emplace_back(name);
  }
  return problems;
}

std::string JoinedProblems(const std::vector<std::string>& problems) { return ListedWords(problems, "and"); }

}  // namespace velmora::print
