#pragma once
// Which variables a template's formulas read, and what the user named: a value
// for a name no formula reads is a mistake (a misspelt column or --set), and so
// is a variable without a value, unless the user asks for the samples.
#include <string>
#include <vector>

#include "label/TemplateReader.h"

namespace velmora::label {

// Each variable the barcode and readable formulas read, once, in order.
std::vector<std::string> ReadVariables(const LabelTemplate& label);

// The name of `candidates` closest to `name` in spelling, or "" when none is close.
std::string ClosestName(const std::string& name, const std::vector<std::string>& candidates);

// Throws std::runtime_error "WHAT: no formula of the template reads a variable
// NAME (did you mean LOT?)" when `name` is not one of `read`.
void RefuseUnread(const std::string& what, const std::string& name, const std::vector<std::string>& read);

// Which formula of the template reads `name` ("[Variable4] Format"), for messages.
std::string ReaderOf(const LabelTemplate& label, const std::string& name);

}  // namespace velmora::label
