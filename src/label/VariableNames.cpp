#include "label/VariableNames.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace velmora::label {
namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Edits (insert, delete, replace, letter case aside) from `a` to `b`.
std::size_t Distance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::vector<std::string> ReadVariables(const LabelTemplate& label) {
  std::vector<std::string> names;
  for (const TemplateText* text : {&label.barcode, &label.readable}) {
    for (std::string& name : text->Variables()) {
      if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
    }
  }
  return names;
}

std::string ClosestName(const std::string& name, const std::vector<std::string>& candidates) {
  std::string best;
  std::size_t bestDistance = std::max<std::size_t>(2, name.size() / 3) + 1;  // farther is no suggestion
  for (const std::string& candidate : candidates) {
    const std::size_t d = Distance(name, candidate);
    if (d < bestDistance) {
      best = candidate;
      bestDistance = d;
    }
  }
  return best;
}

void RefuseUnread(const std::string& what, const std::string& name, const std::vector<std::string>& read) {
  if (std::find(read.begin(), read.end(), name) != read.end()) return;
  std::string message = what + ": no formula of the template reads a variable " + name;
  const std::string closest = ClosestName(name, read);
  if (!closest.empty()) message += " (did you mean " + closest + "?)";
  throw std::runtime_error(message);
}

std::string ReaderOf(const LabelTemplate& label, const std::string& name) {
  for (const TemplateText* text : {&label.barcode, &label.readable}) {
    const std::vector<std::string> names = text->Variables();
    if (std::find(names.begin(), names.end(), name) != names.end()) return text->where;
  }
  return {};
}

}  // namespace velmora::label
