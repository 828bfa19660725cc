#pragma once
// GS1 element strings: AI and data pairs, read from the "(01)...(10)..." form
// or split out of a template's evaluated barcode data.
#include <map>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {
class IniDocument;
}

namespace velmora::symbol {

struct Element {
  std::string ai;
  std::string data;
  bool operator==(const Element&) const = default;
};
using Elements = std::vector<Element>;

// Text that cannot be read as elements; the position counts characters from 1.
class ElementError : public std::runtime_error {
 public:
  ElementError(const std::string& where, std::size_t position, const std::string& reason);
  std::size_t Position() const { return position_; }

 private:
  std::size_t position_;
};

// What the catalogue (ID128.inf) says of one AI number: its data length, whether
// that length is fixed, and whether a decimal digit follows the number (310n).
struct CatalogueAi {
  int length = 0;
  bool fixed = false;
  bool decimalDigit = false;
};
struct CatalogueEntry {
  std::string_view number;  // "01", "310"
  CatalogueAi ai;
};

// The catalogue's entries, sorted by number: the shipped one compiled in, or
// one read from a file (which it keeps alive, its numbers being views of it).
class AiCatalogue {
 public:
  AiCatalogue() = default;
  explicit AiCatalogue(std::span<const CatalogueEntry> entries, std::shared_ptr<const void> keep = nullptr)
      : entries_(entries), keep_(std::move(keep)) {}
  const CatalogueAi* Find(std::string_view number) const;
  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }
  bool empty() const { return entries_.empty(); }

 private:
  std::span<const CatalogueEntry> entries_;
  std::shared_ptr<const void> keep_;
};

// The catalogue's entries from the text of ID128.inf.
AiCatalogue ParseAiCatalogue(std::string_view fileText);
AiCatalogue ParseAiCatalogue(std::shared_ptr<const velmora::IniDocument> file);

// "(01)00000012345670(10)ABC" -> elements; a '(' of the data is written "\(".
// With '[' and ']', zint's form "[01]...[10]ABC" (no escapes: '[' is never data).
// ElementForms.h reads every form.
Elements ParseElementString(std::string_view text, char open = '(', char close = ')');

// The evaluated barcode data of a template: {CODE A}/{CODE B}/{CODE C} are the
// host's code-set hints and dropped; the first {FNC1} marks GS1, later ones end
// a variable-length AI. AIs and their lengths come from the catalogue.
Elements SplitBarcodeData(std::string_view data, const AiCatalogue& catalogue);

// "(01)...(10)..." for people, each '(' of the data written "\(" so that
// the text reads back; "[01]...[10]..." for the encoder.
std::string HumanReadable(const Elements& elements);
std::string BracketedElements(const Elements& elements);

}  // namespace velmora::symbol
