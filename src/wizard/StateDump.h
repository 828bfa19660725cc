#pragma once
// The window's state as one JSON object: page, controls, chosen AIs, messages.
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/MessageBox.h"
#include "wizard/FMain.h"

namespace velmora {

nlohmann::json DumpState(FMain& window, const std::vector<ShownMessage>& messages);

}  // namespace velmora
