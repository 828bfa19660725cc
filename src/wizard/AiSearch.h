#pragma once
// The search box of page 0: what the user typed, the AIs of the list that
// match it, and which of them is selected. Selecting one clicks it in the list,
// so every handler runs as for a click; the list keeps its content and order.
#include <cstdint>
#include <string>
#include <vector>

#include "wizard/AiFinder.h"

namespace velmora {

class FMain;

class AiSearch {
 public:
  // The box's text becomes `text`: its matches are found and the best is
  // clicked (on page 0; elsewhere only the matches are kept).
  void Type(FMain& w, const std::string& text);
  // Up (-1), Down or Enter (+1): the previous or next match, round the end.
  void Step(FMain& w, int step);

  const std::string& Text() const { return text_; }
  // List positions of the matches, best first, and the one selected (-1: none).
  const std::vector<std::int16_t>& Matches() const { return matches_; }
  int Selected() const { return selected_; }
  // The AI digits of the matches, in their order ("310" for 310n).
  std::vector<std::string> MatchedAis() const;

 private:
  void Select(FMain& w, int match);
  std::vector<FindableAi> entries_;  // the page-0 list as last read
  std::string text_;
  std::vector<std::int16_t> matches_;
  int selected_ = -1;
};

}  // namespace velmora
