#include "platform/IniDocument.h"

#include "platform/CaseFold.h"
#include "platform/IniLines.h"

namespace velmora {

IniDocument IniDocument::Parse(std::string_view text) {
  // Windows stops at a NUL: a trailing one (or any binary tail) is harmless.
  text = text.substr(0, text.find('\0'));
  IniDocument doc;
  Section* current = nullptr;  // lines before the first header belong to no section
  for (IniLine& line : SplitIniLines(text)) {
    if (line.kind == IniLineKind::Header) {
      doc.sections_.emplace_back();
      doc.firstSectionByName_.try_emplace(UpperCase(line.name), doc.sections_.size() - 1);
      current = &doc.sections_.back();
    } else if (line.kind == IniLineKind::Key && current != nullptr) {
      current->firstValueByKey.try_emplace(UpperCase(line.name), std::move(line.value));
    }
  }
  return doc;
}

const std::string* IniDocument::Find(std::string_view section, std::string_view key) const {
  const auto s = firstSectionByName_.find(UpperCase(section));
  if (s == firstSectionByName_.end()) return nullptr;
  const auto& keys = sections_[s->second].firstValueByKey;
  const auto k = keys.find(UpperCase(key));
  return k == keys.end() ? nullptr : &k->second;
}

}  // namespace velmora
