#pragma once
// The label template "128.ufo" that the host imports: a barcode object, a
// paragraph object, a font, and the variables that carry the two formulas.
#include <string>

#include "template/HideableWindow.h"

namespace velmora {

// Sets TemplateFile, deletes the previous template, writes the new one whole
// (the host never sees half a file) and hides `window`. Every failure is
// contained: without a writable "SYSTEM" folder no file appears, yet the
// window is hidden and TemplateFile still names the path.
void WriteLabelTemplate(HideableWindow& window);

// The template's content as WriteLabelTemplate writes it, built in memory.
std::string ComposeLabelTemplate();

}  // namespace velmora
