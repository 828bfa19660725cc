#include "wizard/StateDump.h"

namespace velmora {
namespace {

using nlohmann::json;

json Common(const Control& c, const std::string& focused) {
  const Place& p = c.Position();
  json j = {{"visible", c.Visible},    {"enabled", c.Enabled}, {"left", p.Left},           {"top", p.Top},
            {"width", p.Width},        {"height", p.Height},   {"fontName", c.FontName()}, {"fontSize", c.FontSize()},
            {"fontBold", c.FontBold()}};
  if (!focused.empty()) j["focused"] = focused == c.Name();
  return j;
}

json Record(const IdRecord& r) {
  return {{"IdName", r.IdName},
          {"IdKey", r.IdKey},
          {"IdKeyBackup", r.IdKeyBackup},
          {"RankInFile", r.RankInFile},
          {"IndexInList", r.IndexInList},
          {"IsSaved", r.IsSaved},
          {"IsFixed", r.IsFixed},
          {"IsNumeric", r.IsNumeric},
          {"HasMax", r.HasMax},
          {"CharLen", r.CharLen},
          {"CharLenBackup", r.CharLenBackup},
          {"FixData", r.FixData},
          {"VarData", r.VarData},
          {"Selection", r.Selection},
          {"Choice", r.Choice},
          {"Prefix", r.Prefix},
          {"Matrix", r.Matrix},
          {"Suffix", r.Suffix}};
}

// What a control of each kind shows beyond its place and font.
json Own(const WindowControl& each) {
  switch (each.kind) {
    case ControlKind::Control: return json::object();
    case ControlKind::Label: return {{"caption", static_cast<const Label*>(each.control)->Caption}};
    case ControlKind::CommandButton: return {{"caption", static_cast<const CommandButton*>(each.control)->Caption}};
    case ControlKind::OptionButton: {
      const auto* option = static_cast<const OptionButton*>(each.control);
      return {{"caption", option->Caption}, {"value", option->Value}};
    }
    case ControlKind::CheckBox: {
      const auto* check = static_cast<const CheckBox*>(each.control);
      return {{"caption", check->Caption}, {"value", check->Value()}};
    }
    case ControlKind::TextBox: {
      const auto* box = static_cast<const TextBox*>(each.control);
      return {{"text", box->Text()},
              {"maxLength", box->MaxLength},
              {"selStart", box->SelStart()},
              {"selLength", box->SelLength()}};
    }
    case ControlKind::ComboBox: {
      const auto* combo = static_cast<const ComboBox*>(each.control);
      return {{"text", combo->Text()}, {"items", combo->Items()}};
    }
    case ControlKind::ListBox: {
      const auto* list = static_cast<const ListBox*>(each.control);
      return {{"items", list->Items()}, {"itemData", list->AllItemData()}, {"listIndex", list->ListIndex()}};
    }
  }
  return json::object();
}

// Every control by name, an array's elements in a JSON array by index; the
// frames, which only hold other controls, are not shown.
json Controls(FMain& w) {
  const std::string& f = w.FocusedControl.empty() ? std::string("-") : w.FocusedControl;
  json c = json::object();
  for (const WindowControl& each : w.Controls()) {
    if (each.kind == ControlKind::Control) continue;
    json j = Common(*each.control, f);
    j.update(Own(each));
    if (each.arrayElement) {
      c[each.control->Name()].push_back(std::move(j));
    } else {
      c[each.control->Name()] = std::move(j);
    }
  }
  return c;
}

json Symbol(const SymbolPreview& p) {
  json findings = json::array();
  for (const PreviewFinding& f : p.findings) {
    findings.push_back({{"ai", f.ai}, {"position", f.position}, {"kind", f.kind}, {"text", f.text}});
  }
  json symbol = {{"data", p.data},
                 {"elements", symbol::HumanReadable(p.elements)},
                 {"valid", p.valid},
                 {"findings", findings},
                 {"mark", p.markStart < 0 ? json() : json{{"start", p.markStart}, {"length", p.markLength}}}};
  if (!p.problem.empty()) symbol["problem"] = p.problem;
  symbol["digital_link"] = p.digitalLink.empty() ? json() : json(p.digitalLink);
  if (!p.noDigitalLink.empty()) symbol["digital_link_problem"] = p.noDigitalLink;
  return symbol;
}

json Find(const AiSearch& search) {
  return {{"text", search.Text()}, {"matches", search.MatchedAis()}, {"selected", search.Selected()}};
}

}  // namespace

json DumpState(FMain& w, const WizardValues& values, const std::vector<ShownMessage>& messages,
               const AiSearch* search) {
  const HistoryState& h = values.table;
  json ids = json::array();
  if (h.IdTable.HasElements()) {
    for (std::int32_t i = h.IdTable.LBound(); i <= h.IdTable.UBound(); ++i) ids.push_back(Record(h.IdTable(i)));
  }
  json shown = json::array();
  for (const ShownMessage& m : messages) {
    shown.push_back({{"title", m.Title}, {"prompt", m.Prompt}, {"style", m.Style}, {"answer", m.Answer}});
  }
  json state = {{"page", w.CurrentPage},
                {"currentId", h.CurrentId},
                {"eventsEnabled", w.EventsEnabled != 0},
                {"visible", w.Visible()},
                {"caption", w.Caption},
                {"preview", w.line_code.Caption},
                {"templateFile", values.globals.TemplateFile},
                {"hostNumberText", w.HostNumberText},
                {"controls", Controls(w)},
                {"ids", ids},
                {"symbol", Symbol(w.Symbol())},
                {"messages", shown}};
  if (search != nullptr && !search->Text().empty()) state["find"] = Find(*search);
  return state;
}

}  // namespace velmora
