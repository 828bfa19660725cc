#include "wizard/StateDump.h"

#include "base/GlobalValues.h"
#include "ids/HistoryState.h"
#include "ids/IdTable.h"

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

json Controls(FMain& w) {
  const std::string& f = w.FocusedControl.empty() ? std::string("-") : w.FocusedControl;
  json c;
  const auto captioned = [&f](const CommandButton& b) {
    json j = Common(b, f);
    j["caption"] = b.Caption;
    return j;
  };
  for (Label* label : {&w.LabelTitle, &w.ActionTitle, &w.ActionInfo, &w.ActionLabel, &w.line_code}) {
    c[label->Name()] = Common(*label, f);
    c[label->Name()]["caption"] = label->Caption;
  }
  json& text = c["ActionTxtBox"] = Common(w.ActionTxtBox, f);
  text["text"] = w.ActionTxtBox.Text();
  text["maxLength"] = w.ActionTxtBox.MaxLength;
  text["selStart"] = w.ActionTxtBox.SelStart();
  text["selLength"] = w.ActionTxtBox.SelLength();
  json& check = c["ActionCheck"] = Common(w.ActionCheck, f);
  check["caption"] = w.ActionCheck.Caption;
  check["value"] = w.ActionCheck.Value();
  c["ActionButton"] = captioned(w.ActionButton);
  json& combo = c["ActionCombo"] = Common(w.ActionCombo, f);
  combo["text"] = w.ActionCombo.Text();
  combo["items"] = w.ActionCombo.Items();
  json& list = c["ActionList"] = Common(w.ActionList, f);
  list["items"] = w.ActionList.Items();
  list["itemData"] = w.ActionList.AllItemData();
  list["listIndex"] = w.ActionList.ListIndex();
  c["ActionOption"] = json::array();
  for (const auto& option : w.ActionOption) {
    json o = Common(*option, f);
    o["caption"] = option->Caption;
    o["value"] = option->Value;
    c["ActionOption"].push_back(o);
  }
  for (auto* array : {&c["Bouton"], &c["Curseur"]}) *array = json::array();
  for (const CommandButton& b : w.Bouton) c["Bouton"].push_back(captioned(b));
  for (const CommandButton& b : w.Curseur) c["Curseur"].push_back(captioned(b));
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

json DumpState(FMain& w, const std::vector<ShownMessage>& messages, const AiSearch* search) {
  const GlobalValues& g = Globals();
  json ids = json::array();
  for (std::int16_t i = 0; i < IdCount(); ++i) ids.push_back(Record(History().IdTable(i)));
  json shown = json::array();
  for (const ShownMessage& m : messages) {
    shown.push_back({{"title", m.Title}, {"prompt", m.Prompt}, {"style", m.Style}, {"answer", m.Answer}});
  }
  json state = {{"page", w.CurrentPage},
                {"currentId", History().CurrentId},
                {"eventsEnabled", w.EventsEnabled != 0},
                {"visible", w.Visible()},
                {"caption", w.Caption},
                {"preview", w.line_code.Caption},
                {"templateFile", g.TemplateFile},
                {"hostNumberText", w.HostNumberText},
                {"controls", Controls(w)},
                {"ids", ids},
                {"symbol", Symbol(w.Symbol())},
                {"messages", shown}};
  if (search != nullptr && !search->Text().empty()) state["find"] = Find(*search);
  return state;
}

}  // namespace velmora
