#pragma once
// The language of the wizard's own explanations of run-time errors.
#include <cstdint>
#include <string>

namespace velmora {

// 1 English, 2 French, 0 not recognised.
std::int16_t LanguageCode();
// The name given to SetLanguage, or "?" when it was not recognised.
const std::string& LanguageName();

void SetLanguage(const std::string& name);

// ErrorTextFor(key) when the language is English, else the empty text.
std::string LocalErrorText(std::int16_t key);

// The explanation kept under `key` (error number plus 100), or the empty text.
std::string ErrorTextFor(std::int16_t key);

}  // namespace velmora
