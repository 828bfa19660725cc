#pragma once
// The window's state as one JSON object: page, controls, chosen AIs, messages.
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/MessageBox.h"
#include "wizard/AiSearch.h"
#include "wizard/FMain.h"

namespace velmora {

// With a search that has text, "find": its text, the matching AIs (best
// first) and the one selected.
nlohmann::json DumpState(FMain& window, const std::vector<ShownMessage>& messages, const AiSearch* search = nullptr);

}  // namespace velmora
