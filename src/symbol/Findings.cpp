#include "symbol/Findings.h"

#include <array>

namespace velmora::symbol {
namespace {

struct KindText {
  FindingKind kind;
  const char* name;
  const char* english;  // {found} and {detail} are filled in
  const char* french;
};

// French puts a no-break space before the colon.
constexpr const char* kFrenchColon = "\u00A0: ";

constexpr std::array kTexts = {
    KindText{FindingKind::UnknownAi, "unknown-ai", "GS1 defines no such AI", "AI non définie par GS1"},
    KindText{FindingKind::TooShort, "too-short", "too short, {detail} characters needed",
             "trop court, {detail} caractères attendus"},
    KindText{FindingKind::TooLong, "too-long", "too long, at most {detail} characters",
             "trop long, {detail} caractères au plus"},
    KindText{FindingKind::NotDigit, "not-digit", "'{found}' is not a digit", "'{found}' n'est pas un chiffre"},
    KindText{FindingKind::BadCharacter, "bad-character", "character '{found}' is not allowed",
             "caractère '{found}' interdit"},
    KindText{FindingKind::CheckDigit, "check-digit", "invalid check digit '{found}', expected '{detail}'",
             "clé de contrôle '{found}' invalide, '{detail}' attendu"},
    KindText{FindingKind::InvalidMonth, "invalid-month", "invalid month '{found}'", "mois invalide '{found}'"},
    KindText{FindingKind::InvalidDay, "invalid-day", "invalid day '{found}'", "jour invalide '{found}'"},
    KindText{FindingKind::InvalidHour, "invalid-hour", "invalid hour '{found}'", "heure invalide '{found}'"},
    KindText{FindingKind::InvalidMinute, "invalid-minute", "invalid minute '{found}'", "minute invalide '{found}'"},
    KindText{FindingKind::InvalidSecond, "invalid-second", "invalid second '{found}'", "seconde invalide '{found}'"},
    KindText{FindingKind::UnknownCountry, "unknown-country", "unknown ISO 3166 country code '{found}'",
             "code pays ISO 3166 inconnu '{found}'"},
    KindText{FindingKind::UnknownCurrency, "unknown-currency", "unknown ISO 4217 currency code '{found}'",
             "code monnaie ISO 4217 inconnu '{found}'"},
    KindText{FindingKind::BadPercentEncoding, "bad-percent-encoding", "'%' must be followed by two hexadecimal digits",
             "'%' doit être suivi de deux chiffres hexadécimaux"},
    KindText{FindingKind::NotYesNo, "not-yes-no", "'{found}' is neither 0 (no) nor 1 (yes)",
             "'{found}' n'est ni 0 (non) ni 1 (oui)"},
    KindText{FindingKind::AllZeros, "all-zeros", "must not be all zeros", "ne doit pas être nul"},
    KindText{FindingKind::NotZero, "not-zero", "'{found}' must be 0", "'{found}' doit valoir 0"},
    KindText{FindingKind::NotHyphen, "not-hyphen", "'{found}' must be '-'", "'{found}' doit être '-'"},
    KindText{FindingKind::BadPieceOfTotal, "bad-piece-of-total", "piece '{found}' is not a piece of the total",
             "la pièce '{found}' ne fait pas partie du total"},
    KindText{FindingKind::BadWinding, "bad-winding", "winding direction '{found}' is not 0, 1 or 9",
             "sens d'enroulement '{found}' différent de 0, 1 et 9"},
    KindText{FindingKind::BadLatitude, "bad-latitude", "latitude '{found}' is out of range",
             "latitude '{found}' hors limites"},
    KindText{FindingKind::BadLongitude, "bad-longitude", "longitude '{found}' is out of range",
             "longitude '{found}' hors limites"},
    KindText{FindingKind::BadMediaType, "bad-media-type", "unknown AIDC media type '{found}'",
             "type de support AIDC inconnu '{found}'"},
    KindText{FindingKind::BadSex, "bad-sex", "'{found}' is no ISO 5218 code", "'{found}' n'est pas un code ISO 5218"},
    KindText{FindingKind::BadSequence, "bad-sequence", "'{found}' is not a position in a sequence",
             "'{found}' n'est pas une position dans une suite"},
    KindText{FindingKind::BadImporterIndex, "bad-importer-index", "'{found}' is not an importer index",
             "'{found}' n'est pas un index d'importateur"},
    KindText{FindingKind::BadIban, "bad-iban", "'{found}' is not a valid IBAN", "'{found}' n'est pas un IBAN valide"},
    KindText{FindingKind::ZeroPrefix, "zero-prefix", "must not start with 0", "ne doit pas commencer par 0"},
    KindText{FindingKind::NoNonDigit, "no-non-digit", "must hold a character that is not a digit",
             "doit contenir un caractère autre qu'un chiffre"},
    KindText{FindingKind::NoCompanyPrefix, "no-company-prefix", "no GS1 Company Prefix of at least 4 digits here",
             "pas de préfixe d'entreprise GS1 d'au moins 4 chiffres ici"},
    KindText{FindingKind::MissingPair, "missing-pair", "needs AI {detail} in the same barcode",
             "demande l'AI {detail} dans le même code"},
    KindText{FindingKind::ExcludedPair, "excluded-pair", "must not come with AI ({detail})",
             "interdite avec l'AI ({detail})"},
    KindText{FindingKind::Duplicate, "duplicate", "repeated with another value '{detail}'",
             "répétée avec une autre valeur '{detail}'"},
};

const KindText& TextOf(FindingKind kind) {
  for (const KindText& t : kTexts) {
    if (t.kind == kind) return t;
  }
  return kTexts[0];
}

std::string Fill(std::string text, const Finding& f) {
  for (const auto& [mark, value] : {std::pair<std::string, const std::string&>{"{found}", f.found},
                                    std::pair<std::string, const std::string&>{"{detail}", f.detail}}) {
    for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + value.size())) {
      text.replace(at, mark.size(), value);
    }
  }
  return text;
}

}  // namespace

const char* KindName(FindingKind kind) { return TextOf(kind).name; }

std::string FindingText(const Finding& finding, bool french) {
  std::string where = "AI (" + finding.ai + ")";
  if (finding.position > 0) where += " position " + std::to_string(finding.position);
  const KindText& t = TextOf(finding.kind);
  return where + (french ? kFrenchColon : ": ") + Fill(french ? t.french : t.english, finding);
}

}  // namespace velmora::symbol
