#pragma once
// Access to the wizard's data files: the page texts and the AI catalogue.
#include <optional>
#include <string>

#include "base/IdRecord.h"
#include "platform/profile/ProfileApi.h"

namespace velmora {

// The wizard's directory, a separator, and `subPath`.
std::string AppPath(const std::string& subPath);

// True when "TypeFile" of section "Format" of `file` matches `typeName`.
bool GoodFormat(const std::string& file, const std::string& typeName);

// One page text; "title" (exactly) is the window title kept in "TAVREL.INI".
std::string GetCny(const std::string& key);

// One value of "ID128.inf".
std::string ReadIdCatalogue(const std::string& section, const std::string& key);

// The catalogue and the page texts read many values in a row (the whole
// catalogue for the AI page): each as ReadIdCatalogue("ID128", key) and
// GetCny(key) give it, the files and sections found once.
class CatalogueReader {
 public:
  CatalogueReader();
  std::string Catalogue(const std::string& key) const;
  std::string PageText(const std::string& key) const;

 private:
  std::optional<ProfileSectionReader> catalogue_;  // nothing when the file could not be looked at
  std::optional<ProfileSectionReader> texts_;
};

// The two lines a page shows about an AI's data: its length rule with the
// number of characters, then whether it is numeric.
std::string FieldDescription(const IdRecord& record);

}  // namespace velmora
