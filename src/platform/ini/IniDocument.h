#pragma once
// A parsed settings file, read the way Windows' profile functions read one.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini/IniIndex.h"

namespace velmora {

class IniDocument {
 public:
  // `text` is the file's content as UTF-8 (see DecodeFileText).
  static IniDocument Parse(std::string text);
  // A document over an index that outlives it (one compiled in), built in no time.
  static IniDocument Over(const IniIndex& index);

  // The value of the first matching key of the first matching section, or
  // nothing. Names compare without regard to letter case.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;
  // The same in two steps, for many keys of one section: the section (or
  // nullptr), then a key of it.
  const IniSection* FindSection(std::string_view name) const { return FindSection(Index(), name); }
  std::optional<std::string_view> Find(const IniSection& section, std::string_view key) const;

  // Every key of the first matching section with its value, in the file's
  // order, duplicates too: a table of many keys read in one walk.
  template <class Visit>
  void ForEachKey(std::string_view section, Visit visit) const {
    const IniIndex index = Index();
    if (const IniSection* s = FindSection(index, section)) {
      for (const IniKey& key : index.keys.subspan(s->firstKey, s->keyCount))
        visit(View(index, key.name), View(index, key.value));
    }
  }

  // The arrays searched: the parsed text's own, or the ones it was built over.
  IniIndex Index() const;

 private:
  static std::string_view View(const IniIndex& index, IniSpan span) { return index.text.substr(span.pos, span.size); }
  static const IniSection* FindSection(const IniIndex& index, std::string_view name);
  void IndexKeys();
  void IndexSections();

  // Names and values are places in text_, which the document owns and never
  // changes: a copy or a move keeps them right.
  std::string text_;
  std::vector<IniKey> keys_;
  std::vector<IniSection> sections_;
  std::vector<std::uint32_t> slots_;
  std::vector<std::uint32_t> sectionSlots_;
  std::optional<IniIndex> over_;  // set for a document built over an outside index
};

}  // namespace velmora
