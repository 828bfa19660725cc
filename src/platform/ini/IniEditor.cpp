#include "platform/ini/IniEditor.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/CaseFold.h"
#include "platform/ini/IniLines.h"

namespace velmora {
namespace {

constexpr std::string_view kCrLf = "\r\n";

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

std::optional<std::size_t> FindHeader(const std::vector<IniLine>& lines, std::string_view section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind == IniLineKind::Header && EqualsIgnoreCase(lines[i].name, section)) return i;
  }
  return std::nullopt;
}

// Inserts `addition` as a line of its own after line `after`.
void InsertAfterLine(std::string& text, const IniLine& after, std::string addition) {
  if (after.end == after.contentEnd) addition.insert(0, kCrLf);  // the line had no break
  text.insert(after.end, addition);
}

// The edit of a text without NUL bytes; `section` is already trimmed.
void EditText(std::string& text, std::string_view section, std::string_view key, std::string_view value) {
  const std::string keyLine = std::string(key) + "=" + std::string(value) + std::string(kCrLf);
  const std::size_t bom = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  std::vector<IniLine> lines = SplitIniLines(std::string_view(text).substr(bom));
  for (IniLine& line : lines) {
    line.begin += bom;
    line.contentEnd += bom;
    line.end += bom;
  }

  const auto header = FindHeader(lines, section);
  if (!header) {
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += kCrLf;
    text += "[" + std::string(section) + "]" + std::string(kCrLf) + keyLine;
    return;
  }

  std::size_t lastKey = *header;
  for (std::size_t i = *header + 1; i < lines.size() && lines[i].kind != IniLineKind::Header; ++i) {
    if (lines[i].kind != IniLineKind::Key) continue;
    if (EqualsIgnoreCase(lines[i].name, TrimSpaces(key))) {
      const IniLine& line = lines[i];
      text.replace(line.begin, line.end - line.begin,
                   std::string(line.name) + "=" + std::string(value) + std::string(kCrLf));
      return;
    }
    lastKey = i;
  }
  InsertAfterLine(text, lines[lastKey], keyLine);
}

}  // namespace

bool SetIniValue(std::string& whole, std::string_view section, std::string_view key, std::string_view value) {
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return false;
  // The reader stops at a NUL byte: the edit goes where the reader looks, and
  // whatever follows the NUL is kept as it was.
  const std::size_t nul = std::min(whole.find('\0'), whole.size());
  std::string text = whole.substr(0, nul);
  const std::string tail = whole.substr(nul);
  EditText(text, TrimSpaces(section), key, value);
  whole = text + tail;
  return true;
}

}  // namespace velmora
