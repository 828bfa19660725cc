#include "symbol/Samples.h"

#include <algorithm>
#include <map>

#include "symbol/Formula.h"
#include "symbol/Linters.h"

namespace velmora::symbol {
namespace {

// A fixed sample for a linter that decides the whole component, by length.
std::string LinterSample(std::string_view linter, int length) {
  static const std::map<std::string, std::string, std::less<>> samples = {
      {"yymmd0", "260115"},
      {"yymmdd", "260115"},
      {"yyyymmdd", "20260115"},
      {"hhmi", "1230"},
      {"hh", "12"},
      {"mi", "30"},
      {"ss", "30"},
      {"iso3166", "250"},
      {"iso3166999", "250"},
      {"iso3166alpha2", "FR"},
      {"iso4217", "978"},
      {"yesno", "1"},
      {"zero", "0"},
      {"winding", "1"},
      {"iso5218", "1"},
      {"pieceoftotal", "0102"},
      {"hyphen", "-"},
      {"mediatype", "01"},
      {"posinseqslash", "1/2"},
      {"importeridx", "A"},
      {"iban", "GB82WEST12345698765432"},
      {"latitude", "0900000000"},
      {"longitude", "1800000000"},
      {"packagetype", "BX"},
      // GS1 Company Prefix 0614141, offer 123456, save value 1 x 5, a purchase of 1 of family 123
      {"couponcode", "1061414112345615110123"},
      // format 0, funder 0614141, offer 123456, serial 1234567
      {"couponposoffer", "01061414112345611234567"},
  };
  const auto found = samples.find(linter);
  if (found == samples.end() || static_cast<int>(found->second.size()) > length) return {};
  return found->second;
}

std::string ComponentSample(const Component& c) {
  const int length = c.minLength == c.maxLength ? c.maxLength : std::max(c.minLength, 1);
  std::string text;
  for (const std::string_view linter : c.linters) {
    if (const std::string s = LinterSample(linter, c.maxLength); !s.empty()) text = s;
  }
  const bool checkPair = std::find(c.linters.begin(), c.linters.end(), "csumalpha") != c.linters.end();
  const bool checkDigit = std::find(c.linters.begin(), c.linters.end(), "csum") != c.linters.end();
  const int wanted = checkPair ? std::max(length, 3) : checkDigit ? std::max(length, 2) : length;
  const bool prefix = std::find(c.linters.begin(), c.linters.end(), "gcppos1") != c.linters.end();
  if (text.empty()) {
    // a company prefix is digits, even where letters are allowed
    text = std::string(static_cast<std::size_t>(prefix ? std::max(wanted, 6) : wanted),
                       c.charset == 'N' || prefix ? '1' : 'A');
  }
  if (std::find(c.linters.begin(), c.linters.end(), "hasnondigit") != c.linters.end()) {
    text.insert(text.size() - (checkPair ? 2 : 0), 1, 'A');
  }
  if (checkDigit) text.back() = Modulo10(std::string_view(text).substr(0, text.size() - 1));
  if (checkPair) text.replace(text.size() - 2, 2, CheckCharacterPair(text));
  return text;
}

}  // namespace

std::string ValidSample(const AiSyntax& syntax) {
  std::string data;
  for (const Component& c : syntax.components) {
    if (c.optional) break;
    data += ComponentSample(c);
  }
  return data;
}

}  // namespace velmora::symbol
