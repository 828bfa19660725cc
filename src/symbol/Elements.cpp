#include "symbol/Elements.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <optional>

#include "platform/ini/IniDocument.h"

namespace velmora::symbol {
namespace {

bool IsDigits(std::string_view s) { return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos; }

// A catalogue value: blanks, a sign, digits, the rest ignored; nothing
// readable (or beyond an int) is 0.
int Number(std::optional<std::string_view> text) {
  if (!text) return 0;
  std::string_view t = *text;
  while (!t.empty() && std::isspace(static_cast<unsigned char>(t.front())) != 0) t.remove_prefix(1);
  const bool negative = !t.empty() && t.front() == '-';
  if (!t.empty() && (t.front() == '-' || t.front() == '+')) t.remove_prefix(1);
  long long value = 0;
  for (std::size_t i = 0; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
    value = value * 10 + (t[i] - '0');
    if (value > INT_MAX) return 0;
  }
  return static_cast<int>(negative ? -value : value);
}

// Does `name` spell `lower` (lower-case ASCII) in any case? A non-ASCII letter
// never folds to an ASCII one.
bool IsWord(std::string_view name, std::string_view lower) {
  if (name.size() != lower.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i] >= 'A' && name[i] <= 'Z' ? static_cast<char>(name[i] + 32) : name[i];
    if (c != lower[i]) return false;
  }
  return true;
}

// The barcode data without its code-set hints, each kept character with its
// position in the original text.
struct Cleaned {
  std::string text;
  std::vector<std::size_t> position;
};

Cleaned DropCodeSetHints(std::string_view data) {
  Cleaned c;
  for (std::size_t i = 0; i < data.size();) {
    bool hint = false;
    for (std::string_view marker : {"{CODE A}", "{CODE B}", "{CODE C}"}) {
      if (data.substr(i).starts_with(marker)) {
        i += marker.size();
        hint = true;
        break;
      }
    }
    if (hint) continue;
    if (data.substr(i).starts_with("{FNC1}")) {
      c.text += '\x1D';
      c.position.push_back(i + 1);
      i += 6;
      continue;
    }
    c.text += data[i];
    c.position.push_back(++i);
  }
  c.position.push_back(data.size() + 1);
  return c;
}

const CatalogueAi* FindAi(const AiCatalogue& catalogue, std::string_view text, std::size_t at, std::string& ai) {
  for (std::size_t digits = 2; digits <= 4 && at + digits <= text.size(); ++digits) {
    const std::string_view number = text.substr(at, digits);
    if (!IsDigits(number)) return nullptr;
    const CatalogueAi* found = catalogue.Find(number);
    if (found == nullptr) continue;
    ai = std::string(number);
    if (found->decimalDigit) {
      if (at + digits >= text.size() || !std::isdigit(static_cast<unsigned char>(text[at + digits]))) return nullptr;
      ai += text[at + digits];
    }
    return found;
  }
  return nullptr;
}

}  // namespace

ElementError::ElementError(const std::string& where, std::size_t position, const std::string& reason)
    : std::runtime_error(where + " position " + std::to_string(position) + ": " + reason), position_(position) {}

const CatalogueAi* AiCatalogue::Find(std::string_view number) const {
  const auto at = std::lower_bound(entries_.begin(), entries_.end(), number,
                                   [](const CatalogueEntry& e, std::string_view n) { return e.number < n; });
  return at != entries_.end() && at->number == number ? &at->ai : nullptr;
}

AiCatalogue ParseAiCatalogue(std::string_view fileText) {
  return ParseAiCatalogue(std::make_shared<const IniDocument>(IniDocument::Parse(std::string(fileText))));
}

AiCatalogue ParseAiCatalogue(std::shared_ptr<const IniDocument> file) {
  const IniDocument& doc = *file;
  // idN_number, idN_Length, idN_FixedLength, idN_Flags for N = 0, 1, ... up to
  // the first N without a number; read in one walk of [ID128], the first of
  // keys that differ in case only being the one a lookup would find.
  constexpr std::string_view kFields[] = {"number", "length", "fixedlength", "flags"};
  std::size_t keys = 0;
  doc.ForEachKey("ID128", [&](std::string_view, std::string_view) { ++keys; });
  std::vector<std::array<std::optional<std::string_view>, 4>> ids;
  doc.ForEachKey("ID128", [&](std::string_view name, std::string_view value) {
    const std::size_t underscore = name.find('_');
    if (underscore == std::string_view::npos || underscore < 3 || !IsWord(name.substr(0, 2), "id")) return;
    const std::string_view n = name.substr(2, underscore - 2);
    if (!IsDigits(n) || (n.size() > 1 && n[0] == '0') || n.size() > 9) return;
    std::size_t id = 0;
    for (const char digit : n) id = id * 10 + static_cast<std::size_t>(digit - '0');
    const auto field = std::find_if(std::begin(kFields), std::end(kFields),
                                    [&](std::string_view f) { return IsWord(name.substr(underscore + 1), f); });
    if (id >= keys || field == std::end(kFields)) return;  // past any run of numbers from 0
    if (ids.size() <= id) ids.resize(id + 1);
    auto& slot = ids[id][static_cast<std::size_t>(field - std::begin(kFields))];
    if (!slot) slot = value;
  });
  auto entries = std::make_shared<std::vector<CatalogueEntry>>();
  for (const auto& fields : ids) {
    if (!fields[0]) break;
    entries->push_back({*fields[0], {Number(fields[1]), Number(fields[2]) != 0, (Number(fields[3]) & 2) != 0}});
  }
  // Sorted for lookups; of a number given twice, the first is the one read.
  std::stable_sort(entries->begin(), entries->end(),
                   [](const CatalogueEntry& a, const CatalogueEntry& b) { return a.number < b.number; });
  entries->erase(std::unique(entries->begin(), entries->end(),
                             [](const CatalogueEntry& a, const CatalogueEntry& b) { return a.number == b.number; }),
                 entries->end());
  const std::span<const CatalogueEntry> view(*entries);
  return AiCatalogue(view, std::make_shared<std::pair<decltype(file), decltype(entries)>>(file, entries));
}

Elements ParseElementString(std::string_view text, char open, char close) {
  const std::string where = "element string";
  Elements elements;
  if (text.empty()) throw ElementError(where, 1, "no element");
  if (text[0] != open) throw ElementError(where, 1, std::string("'") + open + "' expected before an AI");
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t end = text.find(close, i);
    if (end == std::string_view::npos)
      throw ElementError(where, i + 1, std::string("'") + open + "' without its '" + close + "'");
    const std::string_view ai = text.substr(i + 1, end - i - 1);
    if (ai.size() < 2 || ai.size() > 4 || !IsDigits(ai)) {
      throw ElementError(where, i + 2, "an AI is 2 to 4 digits, not '" + std::string(ai) + "'");
    }
    // The data runs to the next AI; "\(" is a '(' of the data.
    std::string data;
    for (i = end + 1; i < text.size() && text[i] != open; ++i) {
      if (open == '(' && text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '(') ++i;
      data += text[i];
    }
    elements.push_back({std::string(ai), std::move(data)});
  }
  return elements;
}

Elements SplitBarcodeData(std::string_view data, const AiCatalogue& catalogue) {
  const std::string where = "barcode data";
  const Cleaned c = DropCodeSetHints(data);
  const std::string& t = c.text;
  if (t.empty() || t[0] != '\x1D') throw ElementError(where, 1, "GS1-128 data starts with {FNC1}");
  Elements elements;
  std::size_t i = 1;
  while (i < t.size()) {
    if (t[i] == '\x1D') {
      ++i;  // a separator after a fixed-length AI is harmless
      continue;
    }
    std::string ai;
    const CatalogueAi* entry = FindAi(catalogue, t, i, ai);
    if (entry == nullptr) throw ElementError(where, c.position[i], "no AI of the catalogue starts here");
    std::size_t start = i + ai.size();
    std::size_t end = t.find('\x1D', start);
    if (end == std::string::npos) end = t.size();
    if (entry->fixed) {
      if (start + static_cast<std::size_t>(entry->length) > end) {
        throw ElementError(where, c.position[std::min(end, t.size())],
                           "AI (" + ai + ") needs " + std::to_string(entry->length) + " characters");
      }
      end = start + static_cast<std::size_t>(entry->length);
    }
    elements.push_back({ai, t.substr(start, end - start)});
    i = end;
  }
  if (elements.empty()) throw ElementError(where, c.position[t.size()], "no AI follows {FNC1}");
  return elements;
}

std::string HumanReadable(const Elements& elements) {
  std::string text;
  for (const Element& e : elements) {
    text += "(" + e.ai + ")";
    for (const char c : e.data) {
      if (c == '(') text += '\\';
      text += c;
    }
  }
  return text;
}

std::string BracketedElements(const Elements& elements) {
  std::string text;
  for (const Element& e : elements) text += "[" + e.ai + "]" + e.data;
  return text;
}

}  // namespace velmora::symbol
