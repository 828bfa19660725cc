#include "symbol/Gs1Data.h"

#include "platform/FileAccess.h"
#include "platform/PathLookup.h"
#include "platform/profile/ProfileCache.h"
#include "symbol/Gs1Tables.h"

namespace velmora::symbol {

Gs1Data LoadGs1Data(const std::string& directory) {
  Gs1Data data;
  const std::string path = directory.ends_with('/') ? directory + kCatalogueFile : directory + "/" + kCatalogueFile;
  if (FileHoldsExactly(ResolvePath(path), kGs1Tables.catalogueFile)) {
    data.catalogue = AiCatalogue(kGs1Tables.catalogue);  // the shipped file: its table is compiled in
    return data;
  }
  // Another catalogue, as the wizard's own reads have it: parsed once for both.
  const CachedProfile catalogue = LoadProfile(path);
  if (!catalogue.Document) throw std::runtime_error(ResolvePath(path) + ": cannot read this data file");
  data.catalogue = ParseAiCatalogue(catalogue.Document);
  if (data.catalogue.empty()) throw std::runtime_error(path + ": no AI in this catalogue");
  return data;
}

}  // namespace velmora::symbol
