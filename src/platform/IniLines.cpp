#include "platform/IniLines.h"

namespace velmora {
namespace {

bool IsIniBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

std::string UnquoteValue(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

void Classify(std::string_view text, IniLine& line) {
  const std::string_view content = TrimIniBlanks(text.substr(line.begin, line.contentEnd - line.begin));
  if (content.empty() || content.front() == ';') return;
  if (content.front() == '[') {
    // The name ends at the first "]"; without one it runs to the line's end.
    std::string_view name = content.substr(1);
    name = name.substr(0, name.find(']'));
    line.kind = IniLineKind::Header;
    line.name = std::string(TrimIniBlanks(name));
    return;
  }
  const std::size_t eq = content.find('=');
  if (eq == std::string_view::npos) return;
  line.kind = IniLineKind::Key;
  line.name = std::string(TrimIniBlanks(content.substr(0, eq)));
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

std::vector<IniLine> SplitIniLines(std::string_view text) {
  std::vector<IniLine> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    IniLine line;
    line.begin = pos;
    const std::size_t brk = text.find_first_of("\r\n", pos);
    line.contentEnd = brk == std::string_view::npos ? text.size() : brk;
    line.end = line.contentEnd;
    if (line.end < text.size()) {
      line.end += (text[line.end] == '\r' && line.end + 1 < text.size() && text[line.end + 1] == '\n') ? 2 : 1;
    }
    Classify(text, line);
    lines.push_back(std::move(line));
    pos = lines.back().end;
  }
  return lines;
}

}  // namespace velmora
