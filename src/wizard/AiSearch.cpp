#include "wizard/AiSearch.h"

#include "base/VbText.h"
#include "ids/HistoryState.h"
#include "wizard/FMain.h"

namespace velmora {
namespace {

// The page-0 list as the finder reads it: each entry is the catalogue's line
// "NUMBER<tab>NAME" (the number padded), its item data the catalogue rank.
std::vector<FindableAi> ListedAis(const ListBox& list) {
  std::vector<FindableAi> entries;
  for (std::int16_t i = 0; i < list.ListCount(); ++i) {
    const auto rank = static_cast<std::int16_t>(list.ItemData(i));
    const std::string& line = list.Items()[static_cast<std::size_t>(i)];
    const std::size_t tab = line.find('\t');
    entries.push_back({tab == std::string::npos ? std::string() : Trim(line.substr(0, tab)),
                       rank >= 0 && HasIdFlag(rank, FlagDecimalList),
                       tab == std::string::npos ? line : line.substr(tab + 1)});
  }
  return entries;
}

}  // namespace

void AiSearch::Type(FMain& w, const std::string& text) {
  text_ = text;
  if (w.CurrentPage == 0) entries_ = ListedAis(w.ActionList);
  matches_ = text_.empty() ? std::vector<std::int16_t>() : FindAis(text_, entries_);  // nothing typed finds nothing
  selected_ = -1;
  if (!matches_.empty()) Select(w, 0);
}

std::vector<std::string> AiSearch::MatchedAis() const {
  std::vector<std::string> ais;
  for (const std::int16_t index : matches_) ais.push_back(entries_[static_cast<std::size_t>(index)].number);
  return ais;
}

void AiSearch::Step(FMain& w, int step) {
  if (matches_.empty()) return;
  const int count = static_cast<int>(matches_.size());
  Select(w, ((selected_ < 0 ? 0 : selected_ + step) % count + count) % count);
}

void AiSearch::Select(FMain& w, int match) {
  selected_ = match;
  const std::int16_t index = matches_[static_cast<std::size_t>(match)];
  if (w.CurrentPage == 0 && w.ActionList.Visible && index < w.ActionList.ListCount()) w.ActionList.UserClick(index);
}

}  // namespace velmora
