#include "ids/IdCatalogue.h"

#include <charconv>
#include <string>

#include "base/Int16.h"
#include "base/RuntimeError.h"
#include "base/VbText.h"
#include "ids/HistoryState.h"
#include "ids/TextToNumber.h"
#include "settings/MGlobal.h"

namespace velmora {
namespace {

// "id" and the rank: the start of a catalogue entry's keys.
std::string Stem(std::int32_t n) {
  char text[16] = "id";
  const auto end = std::to_chars(text + 2, text + sizeof text, n).ptr;
  return std::string(text, end);
}

// A number of the catalogue; one that does not convert names the catalogue and
// its key, the real cause, rather than whatever was read before.
std::int16_t CatalogueNumber(const CatalogueReader& read, const std::string& key) {
  const std::string text = read.Catalogue(key);
  try {
    return TextToInt16(text);
  } catch (const RuntimeError& e) {
    RaiseError(e.Number(), StandardErrorMessage(e.Number()) + " (ID128.inf: [ID128] " + key + " is " + text + ")");
  }
}

}  // namespace

void LoadIdCatalogue() {
  HistoryState& h = History();
  const CatalogueReader read;
  std::int16_t count = 0;
  for (;; count = CheckedInt16(count + 1)) {
    const std::string number = FitWidth(read.Catalogue(Stem(count) + "_number"), 5);
    const std::string name = read.PageText(Stem(count) + "_name");
    if (Len(name) < 2) break;
    h.IdCatalogueList.ReDimPreserve(0, count);
    h.IdCatalogueList(count) = number + "\t" + name;
  }
  if (count == 0) h.IdCatalogueList.Erase();
  for (auto& flags : h.IdFlags) {
    flags.Erase();
    flags.ReDimPreserve(0, count - 1);
  }
  for (std::int16_t j = 0; j < count; ++j) {
    const std::int16_t value = CatalogueNumber(read, Stem(j) + "_Flags");
    for (std::size_t bit = 0; bit < h.IdFlags.size(); ++bit) {
      h.IdFlags[bit](j) = ToBoolean((value & (1 << bit)) != 0);
    }
  }
}

void InitIdRecord(IdRecord& record) {
  record = IdRecord{};
  record.RankInFile = -2;
  record.IndexInList = -1;
  record.IsSaved = -3;
  record.IsFixed = True;
  record.IsNumeric = True;
  record.HasMax = True;
}

void FillRecordFromCatalogue(IdRecord& record, std::int16_t rank) {
  const std::string stem = Stem(rank);
  const CatalogueReader read;
  record.RankInFile = rank;
  record.IdName = read.PageText(stem + "_name");
  record.IdKey = read.Catalogue(stem + "_number");
  record.IdKeyBackup = record.IdKey;
  record.CharLen = CatalogueNumber(read, stem + "_Length");
  record.CharLenBackup = record.CharLen;
  record.IsNumeric = CatalogueNumber(read, stem + "_numerical");
  record.HasMax = CatalogueNumber(read, stem + "_FixedLength");
}

}  // namespace velmora
