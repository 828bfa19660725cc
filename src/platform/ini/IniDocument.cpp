#include "platform/ini/IniDocument.h"

#include <algorithm>

#include "platform/CaseFold.h"
#include "platform/ini/IniLines.h"

namespace velmora {
namespace {

std::size_t TableSize(std::size_t entries) {
  std::size_t size = 8;
  while (size < entries * 2) size *= 2;
  return size;
}

// Puts entries [0, count) in `slots` (a power of two long) by their hash; of
// entries whose names differ in case only, the first in the file is the one read.
template <class Entry>
void Place(std::span<std::uint32_t> slots, std::size_t count, const Entry& entry) {
  const std::size_t mask = slots.size() - 1;
  for (std::size_t i = 0; i < count; ++i) {
    const auto [hash, name] = entry(i);
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
      if (slots[slot] == 0) {
        slots[slot] = static_cast<std::uint32_t>(i + 1);
        break;
      }
      const auto [earlierHash, earlierName] = entry(slots[slot] - 1);
      if (earlierHash == hash && EqualsIgnoreCase(earlierName, name)) break;
    }
  }
}

}  // namespace

IniDocument IniDocument::Parse(std::string text) {
  IniDocument doc;
  // Windows stops at a NUL: a trailing one (or any binary tail) is harmless.
  text.resize(std::min({text.find('\0'), text.size(), std::size_t{UINT32_MAX}}));
  doc.text_ = std::move(text);
  const std::string_view whole(doc.text_);
  const auto spanOf = [&whole](std::string_view part) {
    return IniSpan{static_cast<std::uint32_t>(part.data() - whole.data()), static_cast<std::uint32_t>(part.size())};
  };
  // Room for the keys at once (lines run 16 bytes and more), not a doubling block.
  doc.keys_.reserve(whole.size() / 16 + 1);
  IniSection* current = nullptr;  // lines before the first header belong to no section
  for (std::size_t pos = 0; pos < whole.size();) {
    const IniLine line = ReadIniLine(whole, pos);
    if (line.kind == IniLineKind::Header) {
      current = &doc.sections_.emplace_back(IniSection{spanOf(line.name),
                                                       static_cast<std::uint32_t>(HashIgnoreCase(line.name)),
                                                       static_cast<std::uint32_t>(doc.keys_.size())});
    } else if (line.kind == IniLineKind::Key && current != nullptr) {
      doc.keys_.push_back(
          IniKey{spanOf(line.name), spanOf(line.value), static_cast<std::uint32_t>(HashIgnoreCase(line.name))});
      ++current->keyCount;
    }
    pos = line.end;
  }
  doc.IndexKeys();
  doc.IndexSections();
  return doc;
}

IniDocument IniDocument::Over(const IniIndex& index) {
  IniDocument doc;
  doc.over_ = index;
  return doc;
}

IniIndex IniDocument::Index() const {
  if (over_) return *over_;
  return {text_, keys_, sections_, slots_, sectionSlots_};
}

void IniDocument::IndexKeys() {
  std::size_t total = 0;
  for (IniSection& section : sections_) {
    section.firstSlot = static_cast<std::uint32_t>(total);
    section.slotCount = static_cast<std::uint32_t>(TableSize(section.keyCount));
    total += section.slotCount;
  }
  slots_.assign(total, 0);
  for (const IniSection& section : sections_) {
    Place(std::span(slots_).subspan(section.firstSlot, section.slotCount), section.keyCount, [&](std::size_t i) {
      const IniKey& key = keys_[section.firstKey + i];
      return std::pair{key.hash, std::string_view(text_).substr(key.name.pos, key.name.size)};
    });
  }
}

void IniDocument::IndexSections() {
  sectionSlots_.assign(TableSize(sections_.size()), 0);
  Place(std::span(sectionSlots_), sections_.size(), [&](std::size_t i) {
    return std::pair{sections_[i].hash, std::string_view(text_).substr(sections_[i].name.pos, sections_[i].name.size)};
  });
}

const IniSection* IniDocument::FindSection(const IniIndex& index, std::string_view name) {
  const auto hash = static_cast<std::uint32_t>(HashIgnoreCase(name));
  const std::size_t mask = index.sectionSlots.size() - 1;
  for (std::size_t slot = hash & mask; index.sectionSlots[slot] != 0; slot = (slot + 1) & mask) {
    const IniSection& candidate = index.sections[index.sectionSlots[slot] - 1];
    if (candidate.hash == hash && EqualsIgnoreCase(View(index, candidate.name), name)) return &candidate;
  }
  return nullptr;
}

std::optional<std::string_view> IniDocument::Find(std::string_view section, std::string_view key) const {
  const IniSection* s = FindSection(Index(), section);
  return s == nullptr ? std::nullopt : Find(*s, key);
}

std::optional<std::string_view> IniDocument::Find(const IniSection& section, std::string_view key) const {
  const IniIndex index = Index();
  const IniSection* s = &section;
  const auto hash = static_cast<std::uint32_t>(HashIgnoreCase(key));
  const std::span<const std::uint32_t> slots = index.slots.subspan(s->firstSlot, s->slotCount);
  const std::size_t mask = slots.size() - 1;
  for (std::size_t slot = hash & mask; slots[slot] != 0; slot = (slot + 1) & mask) {
    const IniKey& entry = index.keys[s->firstKey + slots[slot] - 1];
    if (entry.hash == hash && EqualsIgnoreCase(View(index, entry.name), key)) return View(index, entry.value);
  }
  return std::nullopt;
}

}  // namespace velmora
