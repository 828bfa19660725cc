#include "platform/ini/IniLines.h"

#include <cstring>

namespace velmora {
namespace {

bool IsIniBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

std::string_view UnquoteValue(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

void Classify(std::string_view text, IniLine& line) {
  const std::string_view content = TrimIniBlanks(text.substr(line.begin, line.contentEnd - line.begin));
  if (content.empty() || content.front() == ';') return;
  if (content.front() == '[') {
    // The name ends at the first "]"; without one it runs to the line's end.
    std::string_view name = content.substr(1);
    name = name.substr(0, name.find(']'));
    line.kind = IniLineKind::Header;
    line.name = TrimIniBlanks(name);
    return;
  }
  const std::size_t eq = content.find('=');
  if (eq == std::string_view::npos) return;
  line.kind = IniLineKind::Key;
  line.name = TrimIniBlanks(content.substr(0, eq));
  line.value = UnquoteValue(TrimIniBlanks(content.substr(eq + 1)));
}

}  // namespace

std::string_view TrimIniBlanks(std::string_view text) {
  while (!text.empty() && IsIniBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsIniBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

IniLine ReadIniLine(std::string_view text, std::size_t pos) {
  IniLine line;
  line.begin = pos;
  // The first LF, then the first CR before it: two fast scans, not a byte loop.
  const char* start = text.data() + pos;
  const auto offset = [start](const void* found) {
    return static_cast<std::size_t>(static_cast<const char*>(found) - start);
  };
  std::size_t brk = text.size();
  if (const void* lf = std::memchr(start, '\n', text.size() - pos)) brk = pos + offset(lf);
  if (const void* cr = std::memchr(start, '\r', brk - pos)) brk = pos + offset(cr);
  line.contentEnd = brk;
  line.end = brk;
  if (brk < text.size()) line.end += (text[brk] == '\r' && brk + 1 < text.size() && text[brk + 1] == '\n') ? 2 : 1;
  Classify(text, line);
  return line;
}

std::vector<IniLine> SplitIniLines(std::string_view text) {
  std::vector<IniLine> lines;
  for (std::size_t pos = 0; pos < text.size(); pos = lines.back().end) lines.push_back(ReadIniLine(text, pos));
  return lines;
}

}  // namespace velmora
