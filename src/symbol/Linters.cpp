#include "symbol/Linters.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>

#include "symbol/CharacterSets.h"
#include "symbol/CouponLinters.h"
#include "symbol/Formula.h"

namespace velmora::symbol {
namespace {

using Check = std::function<std::optional<LintFault>(std::string_view, const CodeLists&)>;

int TwoDigits(std::string_view s, std::size_t at) { return (s[at] - '0') * 10 + (s[at + 1] - '0'); }

bool AllDigits(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

std::optional<LintFault> Fault(FindingKind kind, std::size_t offset, std::size_t length, std::string detail = {}) {
  return LintFault{kind, offset, length, std::move(detail)};
}

int DaysInMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : days[month - 1];
}

}  // namespace

std::optional<LintFault> DateFault(std::string_view s, std::size_t yearDigits, bool zeroDay) {
  if (s.size() < yearDigits + 4 || !AllDigits(s)) return std::nullopt;  // the format check reports it
  int year = std::stoi(std::string(s.substr(0, yearDigits)));
  if (yearDigits == 2) year += 2000;  // leap years of 2000-2099 equal those of GS1's window
  const int month = TwoDigits(s, yearDigits);
  const int day = TwoDigits(s, yearDigits + 2);
  if (month < 1 || month > 12) return Fault(FindingKind::InvalidMonth, yearDigits, 2);
  if ((day == 0 && !zeroDay) || day > DaysInMonth(year, month))
    return Fault(FindingKind::InvalidDay, yearDigits + 2, 2);
  return std::nullopt;
}

namespace {

Check Range(FindingKind kind, int limit) {
  return [kind, limit](std::string_view s, const CodeLists&) -> std::optional<LintFault> {
    if (s.size() >= 2 && AllDigits(s.substr(0, 2)) && TwoDigits(s, 0) > limit) return Fault(kind, 0, 2);
    return std::nullopt;
  };
}

Check OneOf(FindingKind kind, std::vector<std::string_view> allowed) {
  return [kind, allowed](std::string_view s, const CodeLists&) -> std::optional<LintFault> {
    if (std::find(allowed.begin(), allowed.end(), s) == allowed.end()) return Fault(kind, 0, s.size());
    return std::nullopt;
  };
}

Check InTable(FindingKind kind, bool (CodeLists::*has)(std::string_view) const, std::string_view extra = {}) {
  return [kind, has, extra](std::string_view s, const CodeLists& codes) -> std::optional<LintFault> {
    if (s == extra || (codes.*has)(s)) return std::nullopt;
    return Fault(kind, 0, s.size());
  };
}

std::optional<LintFault> CheckDigit(std::string_view s, const CodeLists&) {
  if (s.size() < 2 || !AllDigits(s)) return std::nullopt;
  const char expected = Modulo10(s.substr(0, s.size() - 1));
  if (s.back() != expected) return Fault(FindingKind::CheckDigit, s.size() - 1, 1, std::string(1, expected));
  return std::nullopt;
}

std::optional<LintFault> CheckPair(std::string_view s, const CodeLists&) {
  if (s.size() < 3) return std::nullopt;
  const std::string expected = CheckCharacterPair(s);
  if (expected.empty() || s.substr(s.size() - 2) == expected) return std::nullopt;
  return Fault(FindingKind::CheckDigit, s.size() - 2, 2, expected);
}

std::optional<LintFault> PercentEncoding(std::string_view s, const CodeLists&) {
  for (std::size_t i = s.find('%'); i != std::string_view::npos; i = s.find('%', i + 1)) {
    if (i + 2 >= s.size() + 0 || !std::isxdigit(static_cast<unsigned char>(s[i + 1])) ||
        !std::isxdigit(static_cast<unsigned char>(s[i + 2]))) {
      return Fault(FindingKind::BadPercentEncoding, i, std::min<std::size_t>(3, s.size() - i));
    }
  }
  return std::nullopt;
}

std::optional<LintFault> PieceOfTotal(std::string_view s, const CodeLists&) {
  if (s.size() != 4 || !AllDigits(s)) return std::nullopt;
  const int piece = TwoDigits(s, 0);
  const int total = TwoDigits(s, 2);
  if (piece == 0 || total == 0 || piece > total) return Fault(FindingKind::BadPieceOfTotal, 0, 4);
  return std::nullopt;
}

Check AtMost(FindingKind kind, unsigned long long limit) {
  return [kind, limit](std::string_view s, const CodeLists&) -> std::optional<LintFault> {
    if (AllDigits(s) && !s.empty() && std::stoull(std::string(s)) > limit) return Fault(kind, 0, s.size());
    return std::nullopt;
  };
}

std::optional<LintFault> MediaType(std::string_view s, const CodeLists&) {
  if (s.size() != 2 || !AllDigits(s)) return std::nullopt;
  const int type = TwoDigits(s, 0);
  if ((type >= 1 && type <= 10) || type >= 80) return std::nullopt;
  return Fault(FindingKind::BadMediaType, 0, 2);
}

std::optional<LintFault> Sequence(std::string_view s, const CodeLists&) {
  const bool shape = s.size() == 3 && s[1] == '/' && std::isdigit(static_cast<unsigned char>(s[0])) &&
                     std::isdigit(static_cast<unsigned char>(s[2]));
  if (!shape || s[0] == '0' || s[0] > s[2]) return Fault(FindingKind::BadSequence, 0, s.size());
  return std::nullopt;
}

std::optional<LintFault> Iban(std::string_view s, const CodeLists& codes) {
  const bool shape =
      s.size() >= 5 && std::isupper(static_cast<unsigned char>(s[0])) &&
      std::isupper(static_cast<unsigned char>(s[1])) && AllDigits(s.substr(2, 2)) &&
      std::all_of(s.begin(), s.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) || std::isupper(static_cast<unsigned char>(c));
      });
  if (!shape || !codes.HasAlpha2(s.substr(0, 2))) return Fault(FindingKind::BadIban, 0, s.size());
  // Moved to the end, letters as 10..35, the number is 1 modulo 97.
  const std::string moved = std::string(s.substr(4)) + std::string(s.substr(0, 4));
  int rest = 0;
  for (const char c : moved) {
    const int value = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : c - 'A' + 10;
    rest = (value >= 10 ? rest * 100 : rest * 10) + value;
    rest %= 97;
  }
  if (rest != 1) return Fault(FindingKind::BadIban, 0, s.size());
  return std::nullopt;
}

// The decidable part of the GS1 Company Prefix rule: the data must hold at least
// the shortest prefix (4 digits) at `start`. Whether the prefix was ever allocated
// needs GS1's prefix table, which no file here has.
Check CompanyPrefix(std::size_t start) {
  return [start](std::string_view s, const CodeLists&) -> std::optional<LintFault> {
    constexpr std::size_t kShortest = 4;
    if (s.size() < start + kShortest) return Fault(FindingKind::NoCompanyPrefix, 0, s.size());
    for (std::size_t i = start; i < start + kShortest; ++i) {
      if (!std::isdigit(static_cast<unsigned char>(s[i]))) return Fault(FindingKind::NoCompanyPrefix, i, 1);
    }
    return std::nullopt;
  };
}

const std::map<std::string, Check, std::less<>>& Checks() {
  static const std::map<std::string, Check, std::less<>> checks = {
      {"csum", CheckDigit},
      {"csumalpha", CheckPair},
      {"gcppos1", CompanyPrefix(0)},
      {"gcppos2", CompanyPrefix(1)},
      {"yymmd0", [](std::string_view s, const CodeLists&) { return DateFault(s, 2, true); }},
      {"yymmdd", [](std::string_view s, const CodeLists&) { return DateFault(s, 2, false); }},
      {"yyyymmdd", [](std::string_view s, const CodeLists&) { return DateFault(s, 4, false); }},
      {"yyyymmd0", [](std::string_view s, const CodeLists&) { return DateFault(s, 4, true); }},
      {"hhmi",
       [](std::string_view s, const CodeLists& codes) {
         if (auto hour = Range(FindingKind::InvalidHour, 23)(s, codes)) return hour;
         auto minute = Range(FindingKind::InvalidMinute, 59)(s.substr(std::min<std::size_t>(2, s.size())), codes);
         if (minute) minute->offset += 2;
         return minute;
       }},
      {"hh", Range(FindingKind::InvalidHour, 23)},
      {"mi", Range(FindingKind::InvalidMinute, 59)},
      {"ss", Range(FindingKind::InvalidSecond, 59)},
      {"iso3166", InTable(FindingKind::UnknownCountry, &CodeLists::HasCountry)},
      {"iso3166999", InTable(FindingKind::UnknownCountry, &CodeLists::HasCountry, "999")},
      {"iso3166alpha2", InTable(FindingKind::UnknownCountry, &CodeLists::HasAlpha2)},
      {"iso4217", InTable(FindingKind::UnknownCurrency, &CodeLists::HasCurrency)},
      {"packagetype", InTable(FindingKind::UnknownPackageType, &CodeLists::HasPackageType)},
      {"couponcode", [](std::string_view s, const CodeLists&) { return LintCouponCode(s); }},
      {"couponposoffer", [](std::string_view s, const CodeLists&) { return LintCouponPosOffer(s); }},
      {"pcenc", PercentEncoding},
      {"yesno", OneOf(FindingKind::NotYesNo, {"0", "1"})},
      {"zero", OneOf(FindingKind::NotZero, {"0"})},
      {"winding", OneOf(FindingKind::BadWinding, {"0", "1", "9"})},
      {"iso5218", OneOf(FindingKind::BadSex, {"0", "1", "2", "9"})},
      {"nonzero",
       [](std::string_view s, const CodeLists&) -> std::optional<LintFault> {
         if (!s.empty() && s.find_first_not_of('0') == std::string_view::npos)
           return Fault(FindingKind::AllZeros, 0, s.size());
         return std::nullopt;
       }},
      {"hyphen",
       [](std::string_view s, const CodeLists&) -> std::optional<LintFault> {
         const std::size_t bad = s.find_first_not_of('-');
         if (bad != std::string_view::npos) return Fault(FindingKind::NotHyphen, bad, 1);
         return std::nullopt;
       }},
      {"pieceoftotal", PieceOfTotal},
      {"latitude", AtMost(FindingKind::BadLatitude, 1800000000ULL)},
      {"longitude", AtMost(FindingKind::BadLongitude, 3600000000ULL)},
      {"mediatype", MediaType},
      {"posinseqslash", Sequence},
      {"importeridx",
       [](std::string_view s, const CodeLists&) -> std::optional<LintFault> {
         const bool ok =
             s.size() == 1 && (std::isalnum(static_cast<unsigned char>(s[0])) || s[0] == '-' || s[0] == '_');
         if (!ok) return Fault(FindingKind::BadImporterIndex, 0, s.size());
         return std::nullopt;
       }},
      {"iban", Iban},
      {"nozeroprefix",
       [](std::string_view s, const CodeLists&) -> std::optional<LintFault> {
         if (!s.empty() && s[0] == '0') return Fault(FindingKind::ZeroPrefix, 0, 1);
         return std::nullopt;
       }},
      {"hasnondigit",
       [](std::string_view s, const CodeLists&) -> std::optional<LintFault> {
         if (AllDigits(s)) return Fault(FindingKind::NoNonDigit, 0, s.size());
         return std::nullopt;
       }},
  };
  return checks;
}

}  // namespace

std::optional<LintFault> Lint(std::string_view name, std::string_view component, const CodeLists& codes) {
  const auto& checks = Checks();
  const auto found = checks.find(name);
  if (found == checks.end()) return std::nullopt;
  return found->second(component, codes);
}

bool IsCheckedLinter(std::string_view name) { return Checks().contains(name); }

std::string CheckCharacterPair(std::string_view data) {
  static constexpr int kPrimes[] = {2,  3,  5,  7,  11, 13, 17, 19, 23, 29, 31,  37,  41,  43,  47,
                                    53, 59, 61, 67, 71, 73, 79, 83, 89, 97, 101, 103, 107, 109, 113};
  const std::string_view body = data.substr(0, data.size() - 2);
  if (body.size() > std::size(kPrimes)) return {};
  int sum = 0;
  for (std::size_t i = 0; i < body.size(); ++i) {
    const std::size_t value = kCset82.find(body[i]);
    if (value == std::string_view::npos) return {};                 // the character set check reports it
    sum += static_cast<int>(value) * kPrimes[body.size() - 1 - i];  // weight 2 for the last character
  }
  sum %= 1021;
  return {kCset32[static_cast<std::size_t>(sum >> 5)], kCset32[static_cast<std::size_t>(sum & 31)]};
}

}  // namespace velmora::symbol
