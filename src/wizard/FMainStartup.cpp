// The window's start-up: what runs when the window is loaded.
#include "base/GlobalValues.h"
#include "base/Int16.h"
#include "base/MCountry.h"
#include "base/MGeneral.h"
#include "base/RuntimeError.h"
#include "ids/DerivedFields.h"
#include "ids/HistoryState.h"
#include "ids/IdTable.h"
#include "platform/CaseFold.h"
#include "platform/CommandLine.h"
#include "platform/ProcessExit.h"
#include "platform/Utf8Text.h"
#include "settings/HostDirectory.h"
#include "settings/MFile.h"
#include "settings/MGlobal.h"
#include "wizard/FMain.h"

namespace velmora {
namespace {

// The character of an ANSI code, as a one-character text.
std::string Chr(std::int16_t code) {
  if (code < 0 || code > 255) RaiseError(kErrInvalidCall);
  return Windows1252ToUtf8(std::string(1, static_cast<char>(code)));
}

// Shows the data file's problem and ends the process at once.
[[noreturn]] void FileProblem(const std::string& message, const std::string& path) {
  ShowFileError(message, path);
  EndProcess(1);
}

void CheckDataFiles() {
  const GlobalValues& g = Globals();
  if (!FileExists(g.PageTextFile)) FileProblem("File not found !", g.PageTextFile);
  if (!GoodFormat(g.PageTextFile, "country128")) FileProblem("Format error !", g.PageTextFile);
  const std::string catalogue = g.DataDir + "ID128.inf";
  if (!FileExists(catalogue)) FileProblem("File not found !", catalogue);
  if (!GoodFormat(catalogue, "ID128")) FileProblem("Format error !", catalogue);
}

}  // namespace

void FMain::InitGlobals() {
  GlobalValues& g = Globals();
  g.NewLine = "\n\r";
  g.QuoteChar = "\"";
  g.DebugMode = ToBoolean(UpperCase(CommandLine()).find("DEBUG") != std::string::npos);
}

void FMain::KeepOnTop() {
  int error = 0;
  try {
    view_.KeepOnTop(*this);
  } catch (const RuntimeError& e) {
    error = e.Number();
  } catch (...) {
    error = 51;  // internal error
  }
  ReportError(static_cast<std::int16_t>(error), "KeepOnTop", False, Variant("Window " + std::to_string(HWnd())));
}

void FMain::CenterForm() {
  try {
    const double left = (view_.ScreenWidthTwips() - static_cast<double>(Position.Width)) / 2;
    const double top = (view_.ScreenHeightTwips() - static_cast<double>(Position.Height)) / 2;
    // Twips are whole numbers in the window's own properties.
    Position.Left = static_cast<std::int32_t>(left);
    Position.Top = static_cast<std::int32_t>(top);
  } catch (...) {
  }
}

void FMain::Form_Load() {
  GlobalValues& g = Globals();
  InitGlobals();
  SetLanguage("US");
  EventsEnabled = False;
  KeepOnTop();
  g.DataDir = AppPath("");
  g.HostDir = LookUpHostDirectory();
  LocateUserSettings();
  g.CountryNumber = ReadIniInt(g.UserSettingsFile, "Initialize", "Country", 0);
  g.PageTextFile = g.DataDir + "cn128" + Chr(CheckedInt16(65LL + g.CountryNumber)) + ".INF";
  CheckDataFiles();
  AddIdRecord();
  CenterForm();
  Caption = GetCny("title") + (g.DebugMode != False ? "[DEBUG]" : "");
  for (std::size_t i = 0; i < Bouton.size(); ++i) Bouton[i].Caption = GetCny("button" + std::to_string(i));
  Curseur[0].Caption = GetCny("button5");
  Curseur[1].Caption = GetCny("button6");
  BuildPage(0, 0);
  ActionTxtBox.MaxLength = History().IdTable(History().CurrentId).CharLen;
  UpdateCurrentId();
  RefreshPreview();
  EventsEnabled = True;
}

}  // namespace velmora
