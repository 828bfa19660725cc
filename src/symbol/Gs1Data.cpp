#include "symbol/Gs1Data.h"

#include "platform/FileAccess.h"
#include "platform/PathLookup.h"
#include "platform/Utf8Text.h"
#include "platform/profile/ProfileCache.h"

#include <utility>

namespace velmora::symbol {
namespace {

std::string InFolder(const std::string& directory, const char* name) {
  return directory.ends_with('/') ? directory + name : directory + "/" + name;
}

std::string ReadDataFile(const std::string& directory, const char* name) {
  const std::string path = ResolvePath(InFolder(directory, name));
  std::string bytes;
  if (ReadWholeFile(path, bytes) != ReadStatus::Ok) throw std::runtime_error(path + ": cannot read this data file");
  return DecodeFileText(std::move(bytes));
}

void ReadCodeLists(const std::string& directory, CodeLists& codes) {
  using Reader = void (CodeLists::*)(std::string_view, const std::string&);
  const std::pair<const char*, Reader> tables[] = {{kCountryFile, &CodeLists::ReadCountries},
                                                   {kCurrencyFile, &CodeLists::ReadCurrencies},
                                                   {kPackageTypeFile, &CodeLists::ReadPackageTypes}};
  for (const auto& [name, read] : tables) {
    (codes.*read)(ReadDataFile(directory, name), ResolvePath(InFolder(directory, name)));
  }
}

}  // namespace

Gs1Data LoadGs1Data(const std::string& directory) {
  Gs1Data data;
  // The catalogue as the wizard's own reads have it: parsed once for both.
  const std::string cataloguePath = InFolder(directory, kCatalogueFile);
  const CachedProfile catalogue = LoadProfile(cataloguePath);
  if (!catalogue.Document) throw std::runtime_error(ResolvePath(cataloguePath) + ": cannot read this data file");
  data.catalogue = ParseAiCatalogue(*catalogue.Document);
  const std::string dictionaryPath = InFolder(directory, kDictionaryFile);
  if (data.catalogue.empty()) throw std::runtime_error(cataloguePath + ": no AI in this catalogue");
  try {
    data.dictionary = SyntaxDictionary::Parse(ReadDataFile(directory, kDictionaryFile));
  } catch (const std::runtime_error& e) {
    const std::string what = e.what();
    throw std::runtime_error(what.find(dictionaryPath) == 0 ? what : dictionaryPath + ": " + what);
  }
  ReadCodeLists(directory, data.codes);
  data.dlAlphas =
      ParseConvenienceAlphas(ReadDataFile(directory, kAlphasFile), ResolvePath(InFolder(directory, kAlphasFile)));
  return data;
}

}  // namespace velmora::symbol
