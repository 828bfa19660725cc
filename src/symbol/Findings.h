#pragma once
// What GS1's rules say about a barcode's data: one finding per fault, with the
// AI, the position in that AI's data and a stable kind.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::symbol {

enum class FindingKind {
  UnknownAi,     // the dictionary defines no such AI
  TooShort,      // detail: the length needed
  TooLong,       // detail: the longest allowed
  NotDigit,      // detail: the character
  BadCharacter,  // detail: the character (outside the component's set)
  CheckDigit,    // detail: the expected check digit or pair
  InvalidMonth,  // detail: the month as written
  InvalidDay,
  InvalidHour,
  InvalidMinute,
  InvalidSecond,
  UnknownCountry,
  UnknownCurrency,
  BadPercentEncoding,
  NotYesNo,
  AllZeros,
  NotZero,
  NotHyphen,
  BadPieceOfTotal,
  BadWinding,
  BadLatitude,
  BadLongitude,
  BadMediaType,
  BadSex,
  BadSequence,
  BadImporterIndex,
  BadIban,
  ZeroPrefix,
  NoNonDigit,
  DateForm,
  NoVariable,  // an AI fed by a variable, with none chosen         // a date written with separators; detail: how it is
               // written ("270630 for 30 June 2027")
  NoCompanyPrefix,  // fewer than 4 digits where the GS1 Company Prefix starts
  UnknownPackageType,
  BadPadding,        // base64url '=' padding: too many, or a length it does not fit
  CouponTruncated,   // detail: the coupon field the data ends in
  CouponBadValue,    // detail: the coupon field whose value is not one of its values
  CouponExcess,      // data after the coupon's last field
  NoSerial,          // detail: the AI whose presence asks for the serial part
  ZerosAdded,        // found: the digits typed; detail: the zeros a fixed length adds before them
  QuoteInData,       // a '"' typed in data, which a template's formula cannot carry
  BadVariableName,   // found: the character a formula cannot read; detail: the host variable's name
  MissingPair,       // detail: the AIs, one of which must come with this one
  ExcludedPair,      // detail: the AI that must not come with this one
  SymbolCharacters,  // GS1-128 beyond 48 data characters at this AI; found: the count; detail: 48
  SymbolLength,      // GS1-128 beyond 165.10 mm; found: its length; detail: the module
  Duplicate,         // detail: the other value; the last kind
};

struct Finding {
  FindingKind kind;
  std::string ai;
  std::size_t position = 0;  // in the AI's data, in characters from 1; 0 for the AI as a whole
  std::string found;         // what was written there
  std::string detail;        // see FindingKind
  bool operator==(const Finding&) const = default;
};
using Findings = std::vector<Finding>;

// A stable name of the kind ("invalid-month"), for scripts and for text lookups.
const char* KindName(FindingKind kind);

// The kind's English sentence, with {found} and {detail} still to fill.
const char* EnglishSentence(FindingKind kind);

// The words of findings in one language. {ai}, {position}, {found} and {detail}
// are filled in, {s} with "s" unless the detail is 1, {total} with found plus
// detail when both are numbers, {code} with the Unicode
// number of a character outside ASCII (" (U+00F6)"); a kind without a sentence
// of its own is said in English.
struct FindingWords {
  std::string atPosition = "AI ({ai}) position {position}:";
  std::string wholeAi = "AI ({ai}):";
  std::string orWord = "or";  // between the last two AIs of a list
  std::function<std::string(FindingKind)> sentence;
};

// `text` with control characters and bytes that are not UTF-8 as \xHH: data
// shown on one line.
std::string Printable(std::string_view text);

// The same, cut to its first `most` characters when it is longer, saying how
// long it was: a message quotes what it is about, never a whole megabyte.
std::string Shortened(std::string_view text, std::size_t most = 40);

// "AI (17) position 3: invalid month '13'". Control characters and bytes that
// are not UTF-8 are shown escaped ("\x0A"), so a finding is always one line.
std::string FindingText(const Finding& finding, const FindingWords& words = {});

}  // namespace velmora::symbol
