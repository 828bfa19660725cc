#include "symbol/CouponLinters.h"

#include <string>

namespace velmora::symbol {
namespace {

// Reads a coupon's fields one after another. A field the data ends in, or
// whose value is not one of its values, is the fault; the first one ends the read.
class CouponReader {
 public:
  explicit CouponReader(std::string_view data) : data_(data) {}

  // A one-digit field whose value must be one of `allowed`; its value in `value`.
  bool Digit(const char* field, std::string_view allowed, int& value) {
    if (!Fits(field, 1)) return false;
    if (allowed.find(data_[at_]) == std::string_view::npos) return Bad(field, 1);
    value = data_[at_++] - '0';
    return true;
  }
  bool Digits(const char* field, std::size_t count) {
    if (!Fits(field, count)) return false;
    at_ += count;
    return true;
  }
  // A length digit (the value plus `offset` digits follow), then that field.
  bool Sized(const char* lengthField, std::string_view allowed, int offset, const char* field) {
    int length = 0;
    if (!Digit(lengthField, allowed, length)) return false;
    return Digits(field, static_cast<std::size_t>(length + offset));
  }
  // A YYMMDD date; its six digits in `date`.
  bool Date(const char* field, std::string_view& date) {
    if (!Fits(field, 6)) return false;
    date = data_.substr(at_, 6);
    if (DateFault(date, 2, false)) return Bad(field, 6);
    at_ += 6;
    return true;
  }
  // Does the optional field marked by `indicator` come next? Takes the mark.
  bool Optional(char indicator) {
    if (at_ >= data_.size() || data_[at_] != indicator || fault_) return false;
    ++at_;
    return true;
  }
  bool Fail(const char* field, std::size_t offset, std::size_t length) {
    fault_ = LintFault{FindingKind::CouponBadValue, offset, length, field};
    return false;
  }
  std::optional<LintFault> Result() {
    if (!fault_ && at_ < data_.size()) fault_ = LintFault{FindingKind::CouponExcess, at_, data_.size() - at_, {}};
    return fault_;
  }
  std::size_t At() const { return at_; }

 private:
  bool Fits(const char* field, std::size_t count) {
    if (at_ + count <= data_.size()) return true;
    fault_ = LintFault{FindingKind::CouponTruncated, at_, data_.size() - at_, field};
    return false;
  }
  bool Bad(const char* field, std::size_t length) { return Fail(field, at_, length); }

  std::string_view data_;
  std::size_t at_ = 0;
  std::optional<LintFault> fault_;
};

constexpr std::string_view kAny = "0123456789";
constexpr std::string_view kRequirementCodes = "012349";

// A further purchase's requirement, code, family and company prefix (fields 1 and 2).
bool FurtherPurchase(CouponReader& r, const std::string& nth) {
  int code = 0;
  const std::string requirement = nth + " Purchase Requirement";
  const std::string vli = requirement + " VLI";
  const std::string requirementCode = requirement + " Code";
  const std::string family = nth + " Purchase Family Code";
  const std::string prefixVli = nth + " Purchase GS1 Company Prefix VLI";
  const std::string prefix = nth + " Purchase GS1 Company Prefix";
  if (!r.Sized(vli.c_str(), "12345", 0, requirement.c_str())) return false;
  if (!r.Digit(requirementCode.c_str(), kRequirementCodes, code) || !r.Digits(family.c_str(), 3)) return false;
  int length = 0;
  if (!r.Digit(prefixVli.c_str(), "01234569", length)) return false;
  return length == 9 || r.Digits(prefix.c_str(), static_cast<std::size_t>(length + 6));  // 9: no prefix
}

bool Dates(CouponReader& r) {
  std::string_view expiry;
  std::string_view start;
  if (r.Optional('3') && !r.Date("Expiration Date", expiry)) return false;
  if (r.Optional('4')) {
    const std::size_t at = r.At();
    if (!r.Date("Start Date", start)) return false;
    if (!expiry.empty() && start > expiry) return r.Fail("Start Date (it is after the Expiration Date)", at, 6);
  }
  return true;
}

bool Miscellaneous(CouponReader& r) {
  int value = 0;
  return r.Digit("Save Value Code", "01256", value) && r.Digit("Save Value Applies to Item", "012", value) &&
         r.Digit("Store Coupon Flag", kAny, value) && r.Digit("Don't Multiply Flag", "01", value);
}

// A coupon is digits throughout, though its AI allows more.
std::optional<LintFault> NotDigit(std::string_view data) {
  const std::size_t at = data.find_first_not_of("0123456789");
  if (at == std::string_view::npos) return std::nullopt;
  return LintFault{FindingKind::NotDigit, at, 1, {}};
}

}  // namespace

std::optional<LintFault> LintCouponCode(std::string_view data) {
  if (auto fault = NotDigit(data)) return fault;
  CouponReader r(data);
  int value = 0;
  const bool ok = r.Sized("GS1 Company Prefix VLI", "0123456", 6, "GS1 Company Prefix") && r.Digits("Offer Code", 6) &&
                  r.Sized("Save Value VLI", "12345", 0, "Save Value") &&
                  r.Sized("Primary Purchase Requirement VLI", "12345", 0, "Primary Purchase Requirement") &&
                  r.Digit("Primary Purchase Requirement Code", kRequirementCodes, value) &&
                  r.Digits("Primary Purchase Family Code", 3);
  if (ok) {
    int rules = 0;
    const bool more = (!r.Optional('1') ||
                       (r.Digit("Additional Purchase Rules Code", "0123", rules) && FurtherPurchase(r, "Second"))) &&
                      (!r.Optional('2') || FurtherPurchase(r, "Third")) && Dates(r) &&
                      (!r.Optional('5') || r.Sized("Serial Number VLI", kAny, 6, "Serial Number")) &&
                      (!r.Optional('6') || r.Sized("Retailer GS1 Company Prefix or GLN VLI", "1234567", 6,
                                                   "Retailer GS1 Company Prefix or GLN"));
    if (more && r.Optional('9')) Miscellaneous(r);
  }
  return r.Result();
}

std::optional<LintFault> LintCouponPosOffer(std::string_view data) {
  if (auto fault = NotDigit(data)) return fault;
  CouponReader r(data);
  int format = 0;
  if (r.Digit("Format Code", "01", format) && r.Sized("Funder ID VLI", "0123456", 6, "Funder ID") &&
      r.Digits("Offer Code", 6)) {
    r.Sized("Serial Number VLI", kAny, 6, "Serial Number");
  }
  return r.Result();
}

}  // namespace velmora::symbol
