#include "symbol/Findings.h"

#include <cstdio>

#include "platform/Utf8Text.h"

namespace velmora::symbol {
namespace {

std::string Hex(unsigned value, int digits, const char* prefix) {
  char text[16];
  std::snprintf(text, sizeof text, "%s%0*X", prefix, digits, value);
  return text;
}

}  // namespace

std::string Printable(std::string_view text) {
  std::string shown;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const std::size_t length = CodePointSize(text, i);
    if ((byte >= 0x80 && length == 1) || byte < 0x20 || byte == 0x7F) {
      shown += Hex(byte, 2, "\\x");
      ++i;
      continue;
    }
    shown.append(text.substr(i, length));
    i += length;
  }
  return shown;
}

std::string Shortened(std::string_view text, std::size_t most) {
  const std::size_t length = CodePointCount(text);
  if (length <= most) return Printable(text);
  return Printable(text.substr(0, ByteOffsetOfChar(text, most))) + "... (" + std::to_string(length) + " characters)";
}

namespace {

// " (U+00F6)" when `found` is one character outside ASCII.
std::string UnicodeNumber(std::string_view found) {
  if (found.empty() || static_cast<unsigned char>(found[0]) < 0x80) return {};
  const std::size_t length = CodePointSize(found, 0);
  if (length == 1 || length != found.size()) return {};
  return " (" + Hex(static_cast<unsigned>(DecodeCodePoint(found, 0, length)), 4, "U+") + ")";
}

void Fill(std::string& text, std::string_view mark, const std::string& value) {
  for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + value.size())) {
    text.replace(at, mark.size(), value);
  }
}

}  // namespace

const char* KindName(FindingKind kind) {
  switch (kind) {
    case FindingKind::UnknownAi: return "unknown-ai";
    case FindingKind::TooShort: return "too-short";
    case FindingKind::TooLong: return "too-long";
    case FindingKind::NotDigit: return "not-digit";
    case FindingKind::BadCharacter: return "bad-character";
    case FindingKind::CheckDigit: return "check-digit";
    case FindingKind::InvalidMonth: return "invalid-month";
    case FindingKind::InvalidDay: return "invalid-day";
    case FindingKind::InvalidHour: return "invalid-hour";
    case FindingKind::InvalidMinute: return "invalid-minute";
    case FindingKind::InvalidSecond: return "invalid-second";
    case FindingKind::UnknownCountry: return "unknown-country";
    case FindingKind::UnknownCurrency: return "unknown-currency";
    case FindingKind::BadPercentEncoding: return "bad-percent-encoding";
    case FindingKind::NotYesNo: return "not-yes-no";
    case FindingKind::AllZeros: return "all-zeros";
    case FindingKind::NotZero: return "not-zero";
    case FindingKind::NotHyphen: return "not-hyphen";
    case FindingKind::BadPieceOfTotal: return "bad-piece-of-total";
    case FindingKind::BadWinding: return "bad-winding";
    case FindingKind::BadLatitude: return "bad-latitude";
    case FindingKind::BadLongitude: return "bad-longitude";
    case FindingKind::BadMediaType: return "bad-media-type";
    case FindingKind::BadSex: return "bad-sex";
    case FindingKind::BadSequence: return "bad-sequence";
    case FindingKind::BadImporterIndex: return "bad-importer-index";
    case FindingKind::BadIban: return "bad-iban";
    case FindingKind::ZeroPrefix: return "zero-prefix";
    case FindingKind::NoNonDigit: return "no-non-digit";
    case FindingKind::DateForm: return "date-form";
    case FindingKind::NoVariable: return "no-variable";
    case FindingKind::NoCompanyPrefix: return "no-company-prefix";
    case FindingKind::UnknownPackageType: return "unknown-package-type";
    case FindingKind::BadPadding: return "bad-padding";
    case FindingKind::CouponTruncated: return "coupon-truncated";
    case FindingKind::CouponBadValue: return "coupon-bad-value";
    case FindingKind::CouponExcess: return "coupon-excess";
    case FindingKind::NoSerial: return "no-serial";
    case FindingKind::ZerosAdded: return "zeros-added";
    case FindingKind::QuoteInData: return "quote-in-data";
    case FindingKind::BadVariableName: return "bad-variable-name";
    case FindingKind::MissingPair: return "missing-pair";
    case FindingKind::ExcludedPair: return "excluded-pair";
    case FindingKind::SymbolCharacters: return "symbol-characters";
    case FindingKind::SymbolLength: return "symbol-length";
    case FindingKind::Duplicate: return "duplicate";
  }
  return "unknown";
}

const char* EnglishSentence(FindingKind kind) {
  switch (kind) {
    case FindingKind::UnknownAi: return "GS1 defines no such AI";
    case FindingKind::TooShort: return "too short, {detail} character{s} needed";
    case FindingKind::TooLong: return "too long, at most {detail} character{s}";
    case FindingKind::NotDigit: return "'{found}'{code} is not a digit";
    case FindingKind::BadCharacter: return "character '{found}'{code} is not allowed";
    case FindingKind::CheckDigit: return "invalid check digit '{found}', expected '{detail}'";
    case FindingKind::InvalidMonth: return "invalid month '{found}'";
    case FindingKind::InvalidDay: return "invalid day '{found}'";
    case FindingKind::InvalidHour: return "invalid hour '{found}'";
    case FindingKind::InvalidMinute: return "invalid minute '{found}'";
    case FindingKind::InvalidSecond: return "invalid second '{found}'";
    case FindingKind::UnknownCountry: return "unknown ISO 3166 country code '{found}'";
    case FindingKind::UnknownCurrency: return "unknown ISO 4217 currency code '{found}'";
    case FindingKind::BadPercentEncoding: return "'%' must be followed by two hexadecimal digits";
    case FindingKind::NotYesNo: return "'{found}' is neither 0 (no) nor 1 (yes)";
    case FindingKind::AllZeros: return "must not be all zeros";
    case FindingKind::NotZero: return "'{found}' must be 0";
    case FindingKind::NotHyphen: return "'{found}' must be '-'";
    case FindingKind::BadPieceOfTotal: return "piece '{found}' is not a piece of the total";
    case FindingKind::BadWinding: return "winding direction '{found}' is not 0, 1 or 9";
    case FindingKind::BadLatitude: return "latitude '{found}' is out of range";
    case FindingKind::BadLongitude: return "longitude '{found}' is out of range";
    case FindingKind::BadMediaType: return "unknown AIDC media type '{found}'";
    case FindingKind::BadSex: return "'{found}' is no ISO 5218 code";
    case FindingKind::BadSequence: return "'{found}' is not a position in a sequence";
    case FindingKind::BadImporterIndex: return "'{found}' is not an importer index";
    case FindingKind::BadIban: return "'{found}' is not a valid IBAN";
    case FindingKind::ZeroPrefix: return "must not start with 0";
    case FindingKind::NoNonDigit: return "must hold a character that is not a digit";
    case FindingKind::DateForm: return "'{found}' is not written as this AI's dates are: YYMMDD, {detail}";
    case FindingKind::NoVariable: return "takes its data from a variable; none is chosen";
    case FindingKind::NoCompanyPrefix: return "no GS1 Company Prefix of at least 4 digits here";
    case FindingKind::UnknownPackageType: return "unknown package type '{found}'";
    case FindingKind::BadPadding:
      return "'{found}': '=' pads base64url data only at its end, to a length of a multiple of 3, at most two";
    case FindingKind::CouponTruncated: return "the coupon data ends inside its {detail}";
    case FindingKind::CouponBadValue: return "'{found}' is not a valid {detail}";
    case FindingKind::CouponExcess: return "'{found}' follows the coupon's last field";
    case FindingKind::NoSerial: return "needs its serial part when AI ({detail}) is present";
    case FindingKind::ZerosAdded: return "{found} of {total} digits typed; {detail} zero{s} will be added before them";
    case FindingKind::QuoteInData: return "a double quote (\") cannot be carried by the label template";
    case FindingKind::BadVariableName:
      return "the variable name '{detail}' cannot be carried by the label template ('{found}')";
    case FindingKind::MissingPair: return "needs AI {detail} in the same barcode";
    case FindingKind::ExcludedPair: return "must not come with AI ({detail})";
    case FindingKind::SymbolCharacters:
      return "the GS1-128 symbol reaches {found} data characters with this AI; it holds {detail} at most (AIs and "
             "FNC1 separators counted)";
    case FindingKind::SymbolLength:
      return "the GS1-128 symbol from this AI on is {found} long with its quiet zones at a {detail} module; GS1-128 "
             "is 165.10 mm at most";
    case FindingKind::Duplicate: return "repeated with another value '{detail}'";
  }
  return "";
}

std::string FindingText(const Finding& finding, const FindingWords& words) {
  std::string text = (finding.position > 0 ? words.atPosition : words.wholeAi) + " ";
  const std::string sentence = words.sentence ? words.sentence(finding.kind) : std::string();
  text += sentence.empty() ? EnglishSentence(finding.kind) : sentence;
  Fill(text, "{ai}", finding.ai);
  Fill(text, "{position}", std::to_string(finding.position));
  Fill(text, "{code}", UnicodeNumber(finding.found));
  Fill(text, "{s}", finding.detail == "1" ? "" : "s");
  const bool numbers = !finding.found.empty() && !finding.detail.empty() &&
                       (finding.found + finding.detail).find_first_not_of("0123456789") == std::string::npos &&
                       finding.found.size() + finding.detail.size() < 18;
  Fill(text, "{total}", numbers ? std::to_string(std::stoull(finding.found) + std::stoull(finding.detail)) : "");
  Fill(text, "{found}", Shortened(finding.found));
  // a detail is the program's words (a list of AIs), except the other value of a repeated AI
  Fill(text, "{detail}",
       finding.kind == FindingKind::Duplicate ? Shortened(finding.detail) : Printable(finding.detail));
  Fill(text, "{or}", words.orWord);
  return text;
}

}  // namespace velmora::symbol
