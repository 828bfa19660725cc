#pragma once
// The window's state as one JSON object: page, controls, chosen AIs, messages.
#include <vector>

#include <nlohmann/json.hpp>

#include "base/GlobalValues.h"
#include "ids/HistoryState.h"
#include "platform/MessageBox.h"
#include "wizard/AiSearch.h"
#include "wizard/FMain.h"

namespace velmora {

// What the dump shows beside the window: the wizard's table of AIs and its
// values (the template's path).
struct WizardValues {
  const HistoryState& table;
  const GlobalValues& globals;
};

// With a search that has text, "find": its text, the matching AIs (best
// first) and the one selected.
nlohmann::json DumpState(FMain& window, const WizardValues& values, const std::vector<ShownMessage>& messages,
                         const AiSearch* search = nullptr);

}  // namespace velmora
