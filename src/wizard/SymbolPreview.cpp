#include "wizard/SymbolPreview.h"

#include "render/TemplateGeometry.h"
#include "symbol/Gs1_128Limits.h"

#include <algorithm>
#include <stdexcept>

#include "base/VbText.h"
#include "platform/Utf8Text.h"
#include "symbol/Analysis.h"
#include "symbol/DigitalLink.h"
#include "symbol/Formula.h"
#include "symbol/Gs1Checks.h"
#include "symbol/Samples.h"

namespace velmora {
namespace {

// The template's sample for each host variable: as many zeros as the AI is
// long, ten at most.
symbol::VariableValues Samples(const std::vector<const IdRecord*>& records) {
  symbol::VariableValues values;
  for (const IdRecord* r : records) {
    if (r->IsFixed != 0 || r->VarData.empty()) continue;
    values.try_emplace(r->VarData,
                       std::string(static_cast<std::size_t>(std::clamp<int>(r->CharLenBackup, 0, 10)), '0'));
  }
  return values;
}

// A variable's sample that GS1 refuses becomes a valid sample of its AI.
void StandInForVariables(symbol::Elements& elements, const std::vector<const IdRecord*>& records,
                         const symbol::Gs1Data& gs1) {
  if (elements.size() != records.size()) return;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    if (records[i]->IsFixed != 0) continue;
    const symbol::AiSyntax* syntax = gs1.dictionary.Find(elements[i].ai);
    if (syntax == nullptr || symbol::CheckElement(elements[i], gs1.dictionary, gs1.codes).empty()) continue;
    elements[i].data = symbol::ValidSample(*syntax);
  }
}

// Where in the typed text a finding about the edited AI points.
void Mark(SymbolPreview& p, const IdRecord& r, const symbol::Finding& f) {
  if (r.IsFixed == 0 || f.position == 0 || p.markStart >= 0) return;
  const std::int32_t typed = Len(r.FixData);
  const std::int32_t index = static_cast<std::int32_t>(f.position) - 1 - Len(r.Prefix) - Len(r.Matrix);
  if (index < 0 || index >= typed) return;
  p.markStart = index;
  p.markLength = std::clamp<std::int32_t>(static_cast<std::int32_t>(CodePointCount(f.found)), 1, typed - index);
}

// A host variable's name that a formula cannot read as one name ("A & B",
// "GT IN", "[x]", an empty name): the template would read something else.
void RefuseNames(SymbolPreview& p, const std::vector<const IdRecord*>& records, const symbol::FindingWords& words) {
  for (const IdRecord* r : records) {
    if (r->IsFixed != 0) continue;
    const std::size_t bad = symbol::BadNameCharacter(r->VarData);
    if (bad == std::string::npos) continue;
    const std::string character =
        r->VarData.empty() ? std::string() : r->VarData.substr(bad, CodePointSize(r->VarData, bad));
    const symbol::Finding f{symbol::FindingKind::BadVariableName, r->IdKey, 0, character, r->VarData};
    p.findings.push_back({f.ai, f.position, symbol::KindName(f.kind), symbol::FindingText(f, words)});
  }
}

// What the user typed or chose that the template cannot carry as it is: a
// double quote ends a formula's quoted text, a name must be one name; the band
// says so instead of drawing.
bool RefuseUncarried(SymbolPreview& p, const ChosenAis& chosen, const symbol::FindingWords& words) {
  const std::vector<const IdRecord*>& records = chosen.records;
  const int current = chosen.current;
  for (const std::string& ai : chosen.withoutVariable) {  // the template would carry nothing of it
    const symbol::Finding f{symbol::FindingKind::NoVariable, ai, 0, {}, {}};
    p.findings.push_back({f.ai, f.position, symbol::KindName(f.kind), symbol::FindingText(f, words)});
  }
  RefuseNames(p, records, words);
  for (std::size_t i = 0; i < records.size(); ++i) {
    const IdRecord& r = *records[i];
    const std::size_t at = r.IsFixed != 0 ? r.FixData.find('"') : std::string::npos;
    if (at == std::string::npos) continue;
    const std::size_t typed = CodePointCount(std::string_view(r.FixData).substr(0, at));
    const symbol::Finding f{symbol::FindingKind::QuoteInData,
                            r.IdKey,
                            CodePointCount(r.Prefix) + CodePointCount(r.Matrix) + typed + 1,
                            "\"",
                            {}};
    p.findings.push_back({f.ai, f.position, symbol::KindName(f.kind), symbol::FindingText(f, words)});
    if (static_cast<int>(i) == current && p.markStart < 0) {
      p.markStart = static_cast<std::int32_t>(typed);
      p.markLength = 1;
    }
  }
  if (p.findings.empty()) return false;
  p.problem = p.findings.front().text;
  return true;
}

// A fixed-length number typed short is filled with zeros before it: said, as
// the digits printed are not the digits typed.
void SayZerosAdded(SymbolPreview& p, const std::vector<const IdRecord*>& records, const symbol::FindingWords& words) {
  for (const IdRecord* r : records) {
    if (r->IsFixed == 0 || r->HasMax != -1 || r->IsNumeric == 0 || r->FixData.empty() || r->Matrix.empty()) continue;
    if (r->Matrix.find_first_not_of('0') != std::string::npos) continue;
    const symbol::Finding f{symbol::FindingKind::ZerosAdded, r->IdKey, 0, std::to_string(CodePointCount(r->FixData)),
                            std::to_string(r->Matrix.size())};
    p.findings.push_back({f.ai, f.position, symbol::KindName(f.kind), symbol::FindingText(f, words)});
  }
}

}  // namespace

SymbolPreview ComputeSymbolPreview(const ChosenAis& chosen, const symbol::Gs1Data& gs1,
                                   const symbol::FindingWords& words) {
  SymbolPreview p;
  const std::vector<const IdRecord*>& records = chosen.records;
  const int current = chosen.current;
  if (RefuseUncarried(p, chosen, words) || chosen.formula.empty()) return p;
  try {
    p.data = symbol::Formula::Parse(chosen.formula).Evaluate(Samples(records));
    p.elements = symbol::SplitBarcodeData(p.data, gs1.catalogue);
  } catch (const std::runtime_error& e) {  // typed data that breaks the formula or its split
    p.problem = e.what();
    return p;
  }
  StandInForVariables(p.elements, records, gs1);
  const symbol::Findings findings = symbol::CheckElements(p.elements, gs1.dictionary, gs1.codes);
  for (const symbol::Finding& f : findings) {
    p.findings.push_back({f.ai, f.position, symbol::KindName(f.kind), symbol::FindingText(f, words)});
    const bool aboutEdited =
        current >= 0 && records.size() == p.elements.size() && p.elements[static_cast<std::size_t>(current)].ai == f.ai;
    if (aboutEdited) Mark(p, *records[static_cast<std::size_t>(current)], f);
  }
  p.symbol = symbol::EncodeGs1_128(p.elements);
  if (!p.symbol.Ok()) p.problem = p.symbol.error;
  // GS1-128's own limits, at the module the wizard's template gives its bars.
  const double module = p.symbol.Ok() ? render::TemplateGeometry{}.moduleWidth : 0;
  for (const symbol::Finding& f : symbol::Gs1_128LimitFindings(p.elements, gs1.dictionary, &p.symbol, module)) {
    p.findings.push_back({f.ai, f.position, symbol::KindName(f.kind), symbol::FindingText(f, words)});
  }
  try {
    p.digitalLink = symbol::MakeDigitalLink(p.elements, gs1.dictionary);
  } catch (const symbol::DigitalLinkError& e) {
    p.noDigitalLink = e.what();
  }
  p.valid = p.findings.empty() && p.problem.empty();
  SayZerosAdded(p, records, words);  // the data GS1 sees is valid all the same
  return p;
}

}  // namespace velmora
