#pragma once
// The North American coupon formats of GS1's General Specifications: AI (8110)
// (couponcode) and AI (8112) (couponposoffer), read field by field.
#include <optional>
#include <string_view>

#include "symbol/Linters.h"

namespace velmora::symbol {

std::optional<LintFault> LintCouponCode(std::string_view data);
std::optional<LintFault> LintCouponPosOffer(std::string_view data);

}  // namespace velmora::symbol
