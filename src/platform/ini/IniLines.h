#pragma once
// The line grammar of a Windows settings file, shared by the reader and the
// writer so that both see the same sections and keys.
#include <string_view>
#include <vector>

namespace velmora {

enum class IniLineKind { Other, Header, Key };

// One line; its name and value are views into the text it was read from.
struct IniLine {
  std::size_t begin = 0;       // first byte of the line
  std::size_t contentEnd = 0;  // first byte of the line break (or the end of the text)
  std::size_t end = 0;         // first byte after the line break
  IniLineKind kind = IniLineKind::Other;
  std::string_view name;   // section or key name, blanks removed
  std::string_view value;  // key value, blanks and one outer pair of quotes removed
};

// The line that starts at `pos`, which is inside the text. Lines end at CRLF,
// LF or CR.
IniLine ReadIniLine(std::string_view text, std::size_t pos);

// Every line of the text. A line before the first header is still returned;
// callers ignore keys outside any section.
std::vector<IniLine> SplitIniLines(std::string_view text);

// Space, tab and vertical tab: what Windows removes around names and values.
std::string_view TrimIniBlanks(std::string_view text);

// Only the space character: what Windows removes from a caller's section and key.
std::string_view TrimSpaces(std::string_view text);

}  // namespace velmora
