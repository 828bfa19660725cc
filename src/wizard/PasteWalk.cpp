#include "wizard/PasteWalk.h"

#include "base/IdRecord.h"
#include "base/Int16.h"
#include "base/VbText.h"
#include "ids/HistoryState.h"
#include "ids/IdCatalogue.h"
#include "platform/Utf8Text.h"
#include "settings/MGlobal.h"
#include "symbol/DigitalLink.h"
#include "symbol/ElementForms.h"
#include "symbol/Findings.h"
#include "symbol/Formula.h"
#include "wizard/FMain.h"

namespace velmora {
namespace {

// The catalogue entry of an AI in page 0's list: its own, or for 3103 the
// entry 310 with a decimal digit.
std::int16_t CatalogueRank(const ListBox& catalogue, const std::string& ai, std::int16_t& decimal) {
  for (std::int16_t i = 0; i < catalogue.ListCount(); ++i) {
    const auto rank = static_cast<std::int16_t>(catalogue.ItemData(i));
    const std::string number = Trim(ReadIdCatalogue("ID128", "id" + std::to_string(rank) + "_number"));
    if (number == ai) return rank;
    if (ai.size() == 4 && number == ai.substr(0, 3) && HasIdFlag(rank, FlagDecimalList)) {
      decimal = static_cast<std::int16_t>(ai[3] - '0');
      return rank;
    }
  }
  return -1;
}

bool Digits(const std::string& s) { return s.find_first_not_of("0123456789") == std::string::npos; }

// The options that give back `data` with the fewest characters typed: a check
// digit that matches is computed, a prefix that is there is ticked. The pages'
// rules: the check box of page 1 computes the check digit (and puts "0000"
// before the data of 410 to 412), the one of page 2 puts "9" before it, which
// replaces the "0000".
void ChooseOptions(const std::string& data, const IdRecord& entry, PastedAi& p) {
  p.typed = data;
  // Only data of the AI's whole length: what is shorter the pages fill with zeros.
  if (entry.IsNumeric == 0 || !Digits(data) || static_cast<int>(data.size()) != entry.CharLenBackup) return;
  const bool zeros = entry.IdKey == "410" || entry.IdKey == "411" || entry.IdKey == "412";
  struct Choice {
    bool nine;
    bool check;
  };
  for (const Choice c : {Choice{true, true}, Choice{false, true}, Choice{true, false}}) {
    if ((c.nine && !HasIdFlag(p.rank, FlagPrefixNine)) || (c.check && !HasIdFlag(p.rank, FlagCheckDigit))) continue;
    const std::string prefix = c.nine ? "9" : c.check && zeros ? "0000" : "";
    if (!data.starts_with(prefix) ||
        (c.check && symbol::Modulo10(std::string_view(data).substr(0, data.size() - 1)) != data.back()))
      continue;
    p.prefixNine = c.nine;
    p.checkDigit = c.check;
    p.typed = data.substr(prefix.size(), data.size() - prefix.size() - (c.check ? 1 : 0));
    return;
  }
}

void Next(FMain& w) { w.Curseur[1].Press(); }

// Where the walk must be; a page the plan did not expect stops it with the reason.
void Expect(const FMain& w, std::int16_t page, const PastedAi& p) {
  if (w.CurrentPage != page) {
    throw PasteError("AI (" + p.ai + "): the wizard went to page " + std::to_string(w.CurrentPage) + ", not " +
                     std::to_string(page));
  }
}

// One AI, from page 0 to the summary page, as the user's clicks and keys would take it.
void Walk(FMain& w, const PastedAi& p) {
  for (std::int16_t i = 0; i < w.ActionList.ListCount(); ++i) {
    if (w.ActionList.ItemData(i) == p.rank) {
      w.ActionList.UserClick(i);
      break;
    }
  }
  Next(w);
  if (w.CurrentPage == 1) {
    if (p.checkDigit && w.ActionCheck.Visible && w.ActionCheck.Value() == 0) w.ActionCheck.UserClick();
    if (p.decimal >= 0) w.ActionList.UserClick(p.decimal);
    Next(w);
  }
  if (w.CurrentPage == 2) {
    if (p.prefixNine && w.ActionCheck.Value() == 0) w.ActionCheck.UserClick();
    Next(w);
  }
  Expect(w, 3, p);
  if (!w.ActionOption[0]->Value) w.SetOption(0);  // typed data
  Next(w);
  Expect(w, 4, p);
  for (const char32_t cp : ToCodePoints(p.typed))
    w.ActionTxtBox.TypeKey(static_cast<std::int16_t>(cp > 0x7FFF ? '?' : cp));
  Next(w);
  Expect(w, 6, p);
}

// Data the wizard's pages could not take as it is: longer than the AI's field,
// a character no key types (a control character, a line break), a non-digit
// where the pages type digits only. Refused before anything changes: a paste
// is never cut or stripped into other data.
void RefuseUntypeable(const symbol::Element& e, const IdRecord& entry) {
  const std::string where = "AI (" + e.ai + "): ";
  const std::size_t length = CodePointCount(e.data);
  if (entry.CharLenBackup > 0 && length > static_cast<std::size_t>(entry.CharLenBackup)) {
    throw PasteError(where + std::to_string(length) + " characters, and the AI holds " +
                     std::to_string(entry.CharLenBackup) + "; nothing was pasted");
  }
  const std::u32string points = ToCodePoints(e.data);
  for (std::size_t i = 0; i < points.size(); ++i) {
    const char32_t c = points[i];
    const bool control = c < 0x20 || c == 0x7F;
    if (!control && (entry.IsNumeric == 0 || (c >= '0' && c <= '9'))) continue;
    const std::string shown = symbol::Printable(std::string_view(e.data).substr(
        ByteOffsetOfChar(e.data, i), ByteOffsetOfChar(e.data, i + 1) - ByteOffsetOfChar(e.data, i)));
    throw PasteError(where + "character " + std::to_string(i + 1) + " ('" + shown + "') " +
                     (control ? "cannot be typed" : "is not a digit, and this AI takes digits") +
                     "; nothing was pasted");
  }
}

}  // namespace

std::vector<PastedAi> PlanPaste(const symbol::Elements& elements, const ListBox& catalogue) {
  std::vector<PastedAi> plan;
  for (const symbol::Element& e : elements) {
    PastedAi p;
    p.ai = e.ai;
    p.rank = CatalogueRank(catalogue, e.ai, p.decimal);
    if (p.rank < 0) throw PasteError("AI (" + e.ai + ") is not in the wizard's catalogue; nothing was pasted");
    IdRecord entry;
    InitIdRecord(entry);
    FillRecordFromCatalogue(entry, p.rank);
    RefuseUntypeable(e, entry);
    ChooseOptions(e.data, entry, p);
    plan.push_back(std::move(p));
  }
  return plan;
}

void PasteInto(FMain& w, const std::string& text, const symbol::Gs1Data& gs1) {
  if (w.CurrentPage != 0) throw PasteError("a barcode is pasted on the first page, where AIs are chosen");
  symbol::Elements elements;
  try {
    elements = symbol::LooksLikeUri(text) ? symbol::ReadDigitalLink(text, gs1.dictionary, gs1.dlAlphas).elements
                                          : symbol::ReadElementString(text, gs1.dictionary);
  } catch (const std::runtime_error& e) {
    throw PasteError(std::string("not a barcode's data: ") + e.what());
  }
  if (elements.empty()) throw PasteError("not a barcode's data: no AI in it");
  const std::vector<PastedAi> plan = PlanPaste(elements, w.ActionList);
  for (std::size_t i = 0; i < plan.size(); ++i) {
    if (i > 0) Next(w);  // from the summary to page 0 and a new AI
    Walk(w, plan[i]);
  }
}

}  // namespace velmora
