#pragma once
#include <string>

namespace velmora {

// The current network user name (what WNetGetUserA gives for no device):
// $USER when set and not empty, else the effective user's name in the password
// database, else the empty text.
std::string NetworkUserName();

}  // namespace velmora
