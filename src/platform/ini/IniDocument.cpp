#include "platform/ini/IniDocument.h"

#include <algorithm>

#include "platform/CaseFold.h"
#include "platform/ini/IniLines.h"

namespace velmora {

IniDocument IniDocument::Parse(std::string text) {
  IniDocument doc;
  // Windows stops at a NUL: a trailing one (or any binary tail) is harmless.
  text.resize(std::min({text.find('\0'), text.size(), std::size_t{UINT32_MAX}}));
  doc.text_ = std::move(text);
  const std::string_view whole(doc.text_);
  // Room for the keys at once (lines run 16 bytes and more), not a doubling block.
  doc.keys_.reserve(whole.size() / 16 + 1);
  Section* current = nullptr;  // lines before the first header belong to no section
  for (std::size_t pos = 0; pos < whole.size();) {
    const IniLine line = ReadIniLine(whole, pos);
    if (line.kind == IniLineKind::Header) {
      current = &doc.sections_.emplace_back(Section{
          doc.SpanOf(line.name), static_cast<std::uint32_t>(HashIgnoreCase(line.name)), doc.keys_.size(), 0, {}});
    } else if (line.kind == IniLineKind::Key && current != nullptr) {
      doc.keys_.push_back(
          Key{doc.SpanOf(line.name), doc.SpanOf(line.value), static_cast<std::uint32_t>(HashIgnoreCase(line.name))});
      ++current->keyCount;
    }
    pos = line.end;
  }
  for (Section& section : doc.sections_) doc.IndexKeys(section);
  doc.IndexSections();
  return doc;
}

void IniDocument::IndexSections() {
  std::size_t size = 8;
  while (size < sections_.size() * 2) size *= 2;
  sectionSlots_.assign(size, 0);
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    const Section& section = sections_[i];
    for (std::size_t slot = section.hash & (size - 1);; slot = (slot + 1) & (size - 1)) {
      if (sectionSlots_[slot] == 0) {
        sectionSlots_[slot] = static_cast<std::uint32_t>(i + 1);
        break;
      }
      // Of sections whose names differ in case only, the first in the file is the one read.
      const Section& earlier = sections_[sectionSlots_[slot] - 1];
      if (earlier.hash == section.hash && EqualsIgnoreCase(View(earlier.name), View(section.name))) break;
    }
  }
}

void IniDocument::IndexKeys(Section& section) const {
  std::size_t size = 8;
  while (size < section.keyCount * 2) size *= 2;
  section.slots.assign(size, 0);
  for (std::size_t i = 0; i < section.keyCount; ++i) {
    const Key& key = keys_[section.firstKey + i];
    for (std::size_t slot = key.hash & (size - 1);; slot = (slot + 1) & (size - 1)) {
      if (section.slots[slot] == 0) {
        section.slots[slot] = static_cast<std::uint32_t>(i + 1);
        break;
      }
      // Of keys that differ in case only, the first in the file is the one read.
      const Key& earlier = keys_[section.firstKey + section.slots[slot] - 1];
      if (earlier.hash == key.hash && EqualsIgnoreCase(View(earlier.name), View(key.name))) break;
    }
  }
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
  const auto hash = static_cast<std::uint32_t>(HashIgnoreCase(name));
  const std::size_t mask = sectionSlots_.size() - 1;
  for (std::size_t slot = hash & mask; sectionSlots_[slot] != 0; slot = (slot + 1) & mask) {
    const Section& candidate = sections_[sectionSlots_[slot] - 1];
    if (candidate.hash == hash && EqualsIgnoreCase(View(candidate.name), name)) return &candidate;
  }
  return nullptr;
}

std::optional<std::string_view> IniDocument::Find(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (s == nullptr) return std::nullopt;
  const auto hash = static_cast<std::uint32_t>(HashIgnoreCase(key));
  const std::size_t mask = s->slots.size() - 1;
  for (std::size_t slot = hash & mask; s->slots[slot] != 0; slot = (slot + 1) & mask) {
    const Key& entry = keys_[s->firstKey + s->slots[slot] - 1];
    if (entry.hash == hash && EqualsIgnoreCase(View(entry.name), key)) return View(entry.value);
  }
  return std::nullopt;
}

}  // namespace velmora
