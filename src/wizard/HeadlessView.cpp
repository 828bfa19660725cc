#include "wizard/HeadlessView.h"

#include <charconv>
#include <ostream>
#include <sstream>

#include "base/VbText.h"
#include "ids/HistoryState.h"
#include "ids/IdCatalogue.h"
#include "platform/FileAccess.h"
#include "platform/Utf8Text.h"
#include "platform/profile/ProfileCache.h"
#include "render/BilevelPng.h"
#include "render/LabelCanvas.h"
#include "render/LabelFaces.h"
#include "settings/MGlobal.h"
#include "wizard/FMain.h"
#include "wizard/PasteWalk.h"
#include "wizard/StateDump.h"

namespace velmora {
namespace {

std::string TrimBlanks(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::int16_t Number(const std::string& argument, int line) {
  int value = 0;
  const auto [end, error] = std::from_chars(argument.data(), argument.data() + argument.size(), value);
  if (error != std::errc() || end != argument.data() + argument.size() || value < -32768 || value > 32767) {
    throw ScriptError(line, "expected a number, got \"" + argument + "\"");
  }
  return static_cast<std::int16_t>(value);
}

// The control as the user sees it: "the 'Next >' button", "the text box".
std::string SeenAs(const Control& control) {
  std::string caption;
  std::string kind = "control";
  if (const auto* b = dynamic_cast<const CommandButton*>(&control)) caption = b->Caption, kind = "button";
  if (const auto* c = dynamic_cast<const CheckBox*>(&control)) caption = c->Caption, kind = "check box";
  if (const auto* o = dynamic_cast<const OptionButton*>(&control)) caption = o->Caption, kind = "option";
  if (dynamic_cast<const TextBox*>(&control) != nullptr) kind = "text box";
  if (dynamic_cast<const ListBox*>(&control) != nullptr) kind = "list";
  if (dynamic_cast<const ComboBox*>(&control) != nullptr) kind = "list of variables";
  std::erase(caption, '&');  // the access key's mark
  return caption.empty() ? "the " + kind : "the '" + caption + "' " + kind;
}

// A user can only act on a control that is shown and enabled.
void Reachable(const Control& control, int line) {
  std::string name = control.Name();
  if (control.Index() >= 0) name += "(" + std::to_string(control.Index()) + ")";
  name += ", " + SeenAs(control) + ",";
  if (!control.Visible) throw ScriptError(line, name + " is hidden");
  if (!control.Enabled) throw ScriptError(line, name + " is disabled");
}

// The code a key press carries for one character.
std::int16_t KeyCode(char32_t cp) { return static_cast<std::int16_t>(cp > 0x7FFF ? '?' : cp); }

void PickAi(FMain& w, const std::string& ai, int line) {
  Reachable(w.ActionList, line);
  for (std::int16_t i = 0; i < w.ActionList.ListCount(); ++i) {
    const std::int32_t n = w.ActionList.ItemData(i);
    if (Trim(ReadIdCatalogue("ID128", "id" + std::to_string(n) + "_number")) == ai) return w.ActionList.UserClick(i);
  }
  throw ScriptError(line, "no catalogue entry for AI " + ai);
}

void ClickEntry(ListBox& list, std::int16_t index, int line) {
  Reachable(list, line);
  if (index < 0 || index >= list.ListCount()) throw ScriptError(line, "the list has no entry " + std::to_string(index));
  list.UserClick(index);
}

void Press(CommandButton& button, int line) {
  Reachable(button, line);
  button.Press();
}

void TypeInto(FMain& w, const std::string& text, int line) {
  Reachable(w.ActionTxtBox, line);
  for (const char32_t cp : ToCodePoints(text)) w.ActionTxtBox.TypeKey(KeyCode(cp));
}

void Key(FMain& w, const std::string& key, int line) {
  Reachable(w.ActionTxtBox, line);
  if (key == "enter") return w.ActionTxtBox.TypeKey(13);
  if (key == "backspace") return w.ActionTxtBox.TypeKey(8);
  if (key == "tab") return void(w.FocusedControl = "ActionCheck");
  throw ScriptError(line, "unknown key \"" + key + "\" (enter, backspace or tab)");
}

// The band's symbol, or its elements in another symbol ("x.png --symbol dl-qr").
symbol::EncodedSymbol PreviewSymbol(const SymbolPreview& preview, const std::string& kindName, int line) {
  if (kindName.empty()) return preview.symbol;
  const std::optional<symbol::SymbolKind> kind = symbol::SymbolNamed(kindName);
  if (!kind) throw ScriptError(line, "--symbol takes " + symbol::SymbolNameList() + ", not \"" + kindName + "\"");
  if (*kind == symbol::SymbolKind::Gs1_128) return preview.symbol;
  if (symbol::CarriesUri(*kind) && preview.digitalLink.empty()) {
    throw ScriptError(line, "there is no GS1 Digital Link URI to draw: " + preview.noDigitalLink);
  }
  return symbol::EncodeMatrix(*kind, preview.elements, preview.digitalLink);
}

// The symbol the band shows, drawn as the template's label draws it, to PNG or
// SVG: "preview FILE [--symbol KIND]".
void WritePreview(FMain& w, const std::string& arg, int line) {
  const std::size_t option = arg.find(" --symbol ");
  const std::string path = arg.substr(0, option);
  const std::string kind = option == std::string::npos ? "" : arg.substr(option + 10);
  const bool svg = path.ends_with(".svg") || path.ends_with(".SVG");
  if (!svg && !path.ends_with(".png") && !path.ends_with(".PNG")) {
    throw ScriptError(line, "preview writes a .png or a .svg file, not \"" + path + "\"");
  }
  const SymbolPreview& preview = w.Symbol();
  if (preview.symbol.modules.empty()) throw ScriptError(line, "there is no symbol to write: no AI is complete");
  const symbol::EncodedSymbol drawn = PreviewSymbol(preview, kind, line);
  if (!drawn.Ok()) throw ScriptError(line, "the encoder refused the data: " + drawn.error);
  // The template's geometry and its face: the label's own layout, as velmora-label draws it.
  const render::TemplateGeometry geometry;
  const render::LabelLayout layout =
      render::LayOutLabel(geometry, drawn, symbol::HumanReadable(preview.elements), 0,
                          [&geometry](const std::string& t) { return render::MeasureLabelText(geometry, t); });
  // PNG: the symbol at 300 dpi, 5 dots a module (0.42 mm), bars 12 mm high; SVG: the label with its text.
  const std::string bytes =
      svg ? render::LabelSvg(render::OneSymbolScene(layout, drawn, geometry)) : render::SymbolPng(drawn, 5, 142, 300);
  if (!WriteFileAtomically(path, bytes, Durability::HandOff)) throw ScriptError(line, path + ": cannot be written");
}

void Paste(FMain& w, const std::string& text, int line) {
  const symbol::Gs1Data* gs1 = w.Gs1();
  if (gs1 == nullptr) throw ScriptError(line, "the GS1 data files cannot be read");
  try {
    PasteInto(w, text, *gs1);
  } catch (const PasteError& e) {
    throw ScriptError(line, e.what());
  }
}

}  // namespace

ScriptError::ScriptError(int line, const std::string& reason)
    : std::runtime_error("script line " + std::to_string(line) + ": " + reason), line_(line) {}

HeadlessView::HeadlessView(const std::string& script, const WizardValues& values, std::ostream& out, std::ostream& err)
    : values_(values), out_(out), err_(err) {
  // One readable line: the box's text, its line breaks and padding as single
  // blanks (the dump's messages keep it whole).
  boxes_.OnShown = [this](const ShownMessage& m) {
    std::string line;
    for (const char c : m.Prompt) {
      const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
      if (!blank) {
        line += c;
      } else if (!line.empty() && line.back() != ' ') {
        line += ' ';
      }
    }
    if (!line.empty() && line.back() == ' ') line.pop_back();
    err_ << line << std::endl;
  };
  std::istringstream in(script);
  std::string text;
  for (int number = 1; std::getline(in, text); ++number) {
    text = TrimBlanks(text);
    if (text.empty() || text.starts_with('#')) continue;
    const std::size_t space = text.find(' ');
    lines_.push_back(
        {number, text.substr(0, space), space == std::string::npos ? std::string() : text.substr(space + 1)});
  }
}

void HeadlessView::RunModal(FMain& window) {
  while (window.Loaded() && window.Visible()) {
    if (lines_.empty()) {
      window.Unload();  // the script ran out: the window is closed as by its close box
      return;
    }
    const Line line = lines_.front();
    lines_.pop_front();
    Run(window, line);
  }
}

void HeadlessView::RunRemaining(FMain& window) {
  while (!lines_.empty()) {
    const Line line = lines_.front();
    lines_.pop_front();
    Run(window, line);
  }
}

void HeadlessView::Run(FMain& w, const Line& line) {
  NoteUserAction();  // each action looks at the files afresh, as a user's would
  const std::string& verb = line.verb;
  const std::string& arg = line.argument;
  const int n = line.number;
  // Once done, cancel or the close box has hidden the window, only looking at it is left.
  if (verb != "dump" && verb != "answer" && verb != "preview" && !(w.Loaded() && w.Visible())) {
    throw ScriptError(n, "the window is not shown");
  }
  if (verb == "pick") return PickAi(w, arg, n);
  if (verb == "find") {
    if (w.CurrentPage != 0) throw ScriptError(n, "find works on the first page, where AIs are chosen");
    return search_.Type(w, arg);
  }
  if (verb == "find-next" || verb == "find-previous") return search_.Step(w, verb == "find-next" ? 1 : -1);
  if (verb == "paste") return Paste(w, arg, n);
  if (verb == "list") return ClickEntry(w.ActionList, Number(arg, n), n);
  if (verb == "check") return Reachable(w.ActionCheck, n), w.ActionCheck.UserClick();
  if (verb == "option") {
    const std::int16_t index = Number(arg, n);
    if (index < 0 || index >= static_cast<std::int16_t>(w.ActionOption.size())) {
      throw ScriptError(n, "there is no option " + arg);
    }
    Reachable(*w.ActionOption[static_cast<std::size_t>(index)], n);
    return w.SetOption(index);
  }
  if (verb == "type") return TypeInto(w, arg, n);
  if (verb == "key") return Key(w, arg, n);
  if (verb == "set-text") return Reachable(w.ActionTxtBox, n), w.ActionTxtBox.SetText(arg);
  if (verb == "combo") {
    // Typing ends in the box's text plus the typed text: one change carries it,
    // as each key's change would leave the same state, in time linear in its length.
    Reachable(w.ActionCombo, n);
    return w.ActionCombo.SetText(w.ActionCombo.Text() + arg);
  }
  if (verb == "combo-pick") {
    Reachable(w.ActionCombo, n);
    const std::int16_t index = Number(arg, n);
    if (index < 0 || index >= static_cast<std::int16_t>(w.ActionCombo.Items().size())) {
      throw ScriptError(n, "the combo box has no entry " + arg);
    }
    return w.ActionCombo.UserPick(index);
  }
  if (verb == "next") return Press(w.Curseur[1], n);
  if (verb == "back") return Press(w.Curseur[0], n);
  if (verb == "open") return Press(w.Bouton[0], n);
  if (verb == "save") return Press(w.Bouton[1], n);
  if (verb == "cancel") return Press(w.Bouton[2], n);
  if (verb == "done") return Press(w.Bouton[3], n);
  if (verb == "remove") return Press(w.ActionButton, n);
  if (verb == "close") return w.Unload();
  if (verb == "answer") {
    if (arg != "ok" && arg != "cancel") throw ScriptError(n, "answer takes ok or cancel");
    return boxes_.QueueAnswer(arg == "ok" ? kAnswerOk : kAnswerCancel);
  }
  if (verb == "dump") {
    // Typed bytes need not be UTF-8: the dump shows them as U+FFFD rather than failing.
    return void(out_ << DumpState(w, values_, boxes_.Shown(), &search_)
                            .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)
                     << std::endl);
  }
  if (verb == "preview") return WritePreview(w, arg, n);
  throw ScriptError(n, "unknown action \"" + verb + "\"");
}

}  // namespace velmora
