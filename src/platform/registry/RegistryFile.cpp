// The registry editor's export format: "[KEY]" headers, "@" or "name" = value
// lines, continuation lines ending in "\", "[-KEY]" and "name"=- deletions.
#include <cstdio>
#include <optional>
#include <string_view>

#include "platform/CaseFold.h"
#include "platform/Utf8Text.h"
#include "platform/registry/RegistryTree.h"

namespace velmora {
namespace {

constexpr std::string_view kVersion5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kRegedit4 = "REGEDIT4";

struct Context {
  RegistryTree* tree = nullptr;
  RegistryKey* key = nullptr;  // null outside any key, or under a malformed header
  bool unicode = true;         // version 5 keeps texts of hex(2) and hex(7) in UTF-16LE
};

std::string_view TrimLine(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\0')) s.remove_suffix(1);
  return s;
}

// The logical lines of the file: continuation lines joined.
std::vector<std::string> LogicalLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string pending;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = TrimLine(text.substr(pos, end - pos));
    if (!pending.empty() && line.ends_with('\\')) {
      pending += line.substr(0, line.size() - 1);
    } else if (!pending.empty()) {
      lines.push_back(pending + std::string(line));
      pending.clear();
    } else if (line.ends_with('\\') && !line.starts_with('[')) {
      pending = std::string(line.substr(0, line.size() - 1));
    } else {
      lines.emplace_back(line);
    }
    pos = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
  }
  if (!pending.empty()) lines.push_back(pending);
  return lines;
}

// A root's long or short name at the start of a key path, made long.
std::optional<std::string> CanonicalPath(std::string_view path) {
  static const std::pair<const char*, const char*> roots[] = {{"HKEY_CLASSES_ROOT", "HKCR"},
                                                              {"HKEY_CURRENT_USER", "HKCU"},
                                                              {"HKEY_LOCAL_MACHINE", "HKLM"},
                                                              {"HKEY_USERS", "HKU"},
                                                              {"HKEY_CURRENT_CONFIG", "HKCC"}};
  const std::size_t cut = path.find('\\');
  const std::string root = UpperCase(path.substr(0, cut));
  for (const auto& [name, shortName] : roots) {
    if (root == name || root == shortName) {
      return std::string(name) + (cut == std::string_view::npos ? "" : std::string(path.substr(cut)));
    }
  }
  return std::nullopt;
}

// A quoted text with "\\" and "\"" escapes; `pos` moves past the closing quote.
std::optional<std::string> QuotedText(std::string_view s, std::size_t& pos) {
  if (pos >= s.size() || s[pos] != '"') return std::nullopt;
  std::string out;
  for (++pos; pos < s.size(); ++pos) {
    if (s[pos] == '\\' && pos + 1 < s.size()) {
      out += s[++pos];
    } else if (s[pos] == '"') {
      ++pos;
      return out;
    } else {
      out += s[pos];
    }
  }
  return std::nullopt;
}

std::optional<std::string> HexBytes(std::string_view s) {
  std::string bytes;
  while (!s.empty()) {
    const std::size_t comma = s.find(',');
    const std::string_view item = TrimLine(s.substr(0, comma));
    s = comma == std::string_view::npos ? std::string_view() : s.substr(comma + 1);
    if (item.empty() && s.empty()) break;
    unsigned value = 0;
    char extra = 0;
    if (item.size() > 2 || std::sscanf(std::string(item).c_str(), "%2x%c", &value, &extra) != 1) return std::nullopt;
    bytes += static_cast<char>(value);
  }
  return bytes;
}

bool IsText(std::uint32_t type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// The value's data from its text after "="; nullopt when it cannot be parsed.
std::optional<RegistryValue> ParseData(std::string_view s, bool unicode) {
  RegistryValue v;
  if (s.starts_with('"')) {
    std::size_t pos = 0;
    const auto text = QuotedText(s, pos);
    if (!text || !TrimLine(s.substr(pos)).empty()) return std::nullopt;
    v.Type = REG_SZ;
    v.Data = *text + '\0';
    return v;
  }
  if (s.starts_with("dword:")) {
    const std::string digits(s.substr(6));
    unsigned long value = 0;
    char extra = 0;
    if (digits.empty() || digits.size() > 8 || std::sscanf(digits.c_str(), "%lx%c", &value, &extra) != 1)
      return std::nullopt;
    v.Type = REG_DWORD;
    for (int i = 0; i < 4; ++i) v.Data += static_cast<char>((value >> (8 * i)) & 0xFF);
    return v;
  }
  std::size_t colon = s.find(':');
  if (s.starts_with("hex:")) {
    v.Type = REG_BINARY;
  } else if (s.starts_with("hex(") && colon != std::string_view::npos && s[colon - 1] == ')') {
    unsigned type = 0;
    char extra = 0;
    if (std::sscanf(std::string(s.substr(4, colon - 5)).c_str(), "%x%c", &type, &extra) != 1) return std::nullopt;
    v.Type = type;
  } else {
    return std::nullopt;
  }
  const auto bytes = HexBytes(s.substr(colon + 1));
  if (!bytes) return std::nullopt;
  v.Data = IsText(v.Type) ? (unicode ? Utf16LeToUtf8(*bytes) : DecodeFileText(*bytes)) : *bytes;
  return v;
}

void ParseValueLine(Context& c, std::string_view line) {
  std::string name;
  std::size_t pos = 0;
  if (line.starts_with('@')) {
    pos = 1;
  } else if (const auto quoted = QuotedText(line, pos)) {
    name = *quoted;
  } else {
    return;
  }
  const std::string_view rest = TrimLine(line.substr(pos));
  if (c.key == nullptr || !rest.starts_with('=')) return;
  const std::string_view data = TrimLine(rest.substr(1));
  if (data == "-") return c.key->Remove(name);
  if (auto value = ParseData(data, c.unicode)) {
    value->Name = name;
    c.key->Set(std::move(*value));
  }
}

void ParseHeader(Context& c, std::string_view line) {
  c.key = nullptr;
  if (!line.ends_with(']')) return;  // malformed: its values are skipped
  std::string_view path = line.substr(1, line.size() - 2);
  const bool remove = path.starts_with('-');
  if (remove) path.remove_prefix(1);
  const auto canonical = CanonicalPath(path);
  if (!canonical) return;
  if (remove) return c.tree->Remove(*canonical);
  c.key = &c.tree->Create(*canonical);
}

std::string DecodeRegistryText(const std::string& bytes) {
  if (bytes.starts_with("\xFF\xFE")) return Utf16LeToUtf8(std::string_view(bytes).substr(2));
  return DecodeFileText(bytes);
}

std::string Escape(const std::string& text) {
  std::string out;
  for (const char ch : text) {
    if (ch == '\\' || ch == '"') out += '\\';
    out += ch;
  }
  return out;
}

std::string HexList(const std::string& bytes) {
  std::string out;
  char buffer[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(buffer, sizeof buffer, "%02x", static_cast<unsigned char>(bytes[i]));
    if (i > 0) out += ',';
    out += buffer;
  }
  return out;
}

std::string FormatData(const RegistryValue& v) {
  const bool plainText =
      v.Type == REG_SZ && v.Data.ends_with('\0') && v.Data.find('\0') == v.Data.size() - 1 && IsValidUtf8(v.Data);
  if (plainText) return "\"" + Escape(v.Data.substr(0, v.Data.size() - 1)) + "\"";
  if (v.Type == REG_DWORD && v.Data.size() == 4) {
    unsigned long value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(v.Data[static_cast<std::size_t>(i)]);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "dword:%08lx", value);
    return buffer;
  }
  const std::string bytes = IsText(v.Type) ? Utf8ToUtf16Le(v.Data) : v.Data;
  if (v.Type == REG_BINARY) return "hex:" + HexList(bytes);
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(v.Type));
  return prefix + HexList(bytes);
}

}  // namespace

RegistryTree ParseRegistryFile(const std::string& bytes) {
  RegistryTree tree;
  const std::vector<std::string> lines = LogicalLines(DecodeRegistryText(bytes));
  Context c;
  c.tree = &tree;
  std::size_t first = 0;
  while (first < lines.size() && lines[first].empty()) ++first;
  if (first == lines.size()) return tree;  // an empty file is an empty registry
  if (lines[first] != kVersion5 && lines[first] != kRegedit4) {
    tree.Readable = false;
    return tree;
  }
  c.unicode = lines[first] == kVersion5;
  for (std::size_t i = first + 1; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (line.empty() || line.starts_with(';')) continue;
    if (line.starts_with('[')) {
      ParseHeader(c, line);
    } else {
      ParseValueLine(c, line);
    }
  }
  return tree;
}

std::string FormatRegistryFile(const RegistryTree& tree) {
  std::string text = std::string(kVersion5) + "\r\n";
  for (const auto& [folded, key] : tree.Keys) {
    text += "\r\n[" + key.Path + "]\r\n";
    for (const RegistryValue& v : key.Values) {
      text += (v.Name.empty() ? std::string("@") : "\"" + Escape(v.Name) + "\"") + "=" + FormatData(v) + "\r\n";
    }
  }
  return "\xFF\xFE" + Utf8ToUtf16Le(text + "\r\n");
}

}  // namespace velmora
