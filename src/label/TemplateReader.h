#pragma once
// A label template (128.ufo) as a host reads it: the settings-file reader, one
// outer pair of quotes off each value, the formulas and the host variables.
#include <stdexcept>
#include <string>
#include <vector>

#include "render/TemplateGeometry.h"
#include "symbol/Formula.h"

namespace velmora::label {

// A template that cannot be read; the message names the file and the key.
class TemplateError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A formula of the template, or (literal mode) the text itself.
struct TemplateText {
  std::string text;
  bool literal = false;
  std::string where;  // "[Variable2] Format", for messages
  std::string Evaluate(const symbol::VariableValues& values) const;
  std::vector<std::string> Variables() const;           // none for a literal
  std::vector<symbol::Formula::Padded> Padded() const;  // none for a literal
};

struct TemplateVariable {
  std::string name;
  std::string sample;  // the template's sample value
};

struct LabelTemplate {
  render::TemplateGeometry geometry;
  TemplateText barcode;
  TemplateText readable;
  std::vector<TemplateVariable> variables;
  // No file's: the barcode formula gives an element string (in any form check
  // reads), and the text is the elements' human-readable form.
  bool elementString = false;
  // The sample values, overridden by `values`.
  symbol::VariableValues ValuesWith(const symbol::VariableValues& values) const;
};

LabelTemplate ReadLabelTemplate(const std::string& path);

// A template for element strings given without one: each label's symbol
// carries the value of `variable`, in the template's default geometry.
LabelTemplate ElementStringTemplate(const std::string& variable);

}  // namespace velmora::label
