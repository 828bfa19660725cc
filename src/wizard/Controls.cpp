#include "wizard/Controls.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "base/NumericText.h"
#include "base/RuntimeError.h"
#include "base/VbText.h"
#include "platform/Utf8Text.h"

namespace velmora {
namespace {

void Raise(const std::function<void()>& handler) {
  if (handler) handler();
}

// Text to a font size the way a property assignment converts it: the whole
// text must be a number (blanks around it allowed).
double SizeFromText(const std::string& text) {
  // Read the same in every locale (the Qt window sets one).
  const std::optional<double> parsed = ParseNumericText(text);
  if (!parsed) RaiseError(kErrTypeMismatch);
  const double value = *parsed;
  if (!(value > 0 && value <= 2048)) RaiseError(kErrInvalidPropertyValue);
  return value;
}

}  // namespace

void Control::Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  place_.Left = left;
  place_.Top = top;
  if (width >= 0) place_.Width = width;
  if (height >= 0) place_.Height = height;
}

void Control::SetFontName(const std::string& name) {
  if (name.empty()) RaiseError(kErrInvalidPropertyValue);
  fontName_ = name;
}

void Control::SetFontSize(const std::string& size) { fontSize_ = SizeFromText(size); }

std::string OneLine(const std::string& text) {
  if (text.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos) return text;
  std::string line;
  for (const char c : text) {
    if (c != '\r' && c != '\n' && c != '\0') line += c;
  }
  return line;
}

void TextBox::SetText(const std::string& given) {
  const std::string text = OneLine(given);
  if (text == text_) return;
  text_ = text;
  selStart_ = std::min(selStart_, Len(text_));
  selLength_ = std::min(selLength_, Len(text_) - selStart_);
  Raise(OnChange);
}

void TextBox::SetSelStart(std::int32_t start) {
  selStart_ = std::clamp(start, 0, Len(text_));
  selLength_ = 0;
}

void TextBox::SetSelLength(std::int32_t length) { selLength_ = std::clamp(length, 0, Len(text_) - selStart_); }

void TextBox::TypeKey(std::int16_t keyAscii) {
  if (OnKeyPress) OnKeyPress(keyAscii);
  if (keyAscii == 0 || keyAscii == 13 || keyAscii == 9) return;
  const std::size_t from = ByteOffsetOfChar(text_, static_cast<std::size_t>(selStart_));
  const std::size_t to = ByteOffsetOfChar(text_, static_cast<std::size_t>(selStart_ + selLength_));
  std::string next = text_;
  std::int32_t caret = selStart_;
  if (keyAscii == 8) {
    if (selLength_ > 0) {
      next.erase(from, to - from);
    } else if (selStart_ > 0) {
      const std::size_t before = ByteOffsetOfChar(text_, static_cast<std::size_t>(selStart_ - 1));
      next.erase(before, from - before);
      caret = selStart_ - 1;
    }
  } else if (keyAscii < 32) {
    return;  // other control characters insert nothing
  } else {
    const std::string typed = EncodeCodePoint(static_cast<char32_t>(static_cast<std::uint16_t>(keyAscii)));
    if (MaxLength > 0 && Len(text_) - selLength_ + 1 > MaxLength) return;
    next.replace(from, to - from, typed);
    caret = selStart_ + 1;
  }
  selStart_ = std::min(caret, Len(next));
  selLength_ = 0;
  SetText(next);
}

void CheckBox::SetValue(std::int16_t value) {
  if (value < 0 || value > 2) RaiseError(kErrInvalidPropertyValue);
  if (value == value_) return;
  value_ = value;
  Raise(OnClick);
}

void CheckBox::UserClick() {
  value_ = value_ == 0 ? 1 : 0;
  Raise(OnClick);
}

void CommandButton::Press() { Raise(OnClick); }

void ListBox::Clear() {
  items_.clear();
  itemData_.clear();
  listIndex_ = -1;
  newIndex_ = -1;
}

void ListBox::AddItem(const std::string& text) {
  if (items_.size() >= kMaxListEntries) RaiseError(kErrOutOfMemory);
  items_.push_back(text);
  itemData_.push_back(0);
  newIndex_ = static_cast<std::int16_t>(items_.size() - 1);
}

void ListBox::SetItemData(std::int16_t index, std::int32_t data) {
  if (index < 0 || index >= ListCount()) RaiseError(kErrInvalidPropertyIndex, "Invalid property array index");
  itemData_[static_cast<std::size_t>(index)] = data;
}

std::int32_t ListBox::ItemData(std::int16_t index) const {
  if (index < 0 || index >= ListCount()) RaiseError(kErrInvalidPropertyIndex, "Invalid property array index");
  return itemData_[static_cast<std::size_t>(index)];
}

void ListBox::SetListIndex(std::int16_t index) {
  if (index < -1 || index >= ListCount()) RaiseError(kErrInvalidPropertyValue);
  if (index == listIndex_) return;
  listIndex_ = index;
  Raise(OnClick);
}

void ListBox::UserClick(std::int16_t index) {
  if (index < 0 || index >= ListCount()) RaiseError(kErrInvalidPropertyValue);
  listIndex_ = index;
  Raise(OnClick);
}

void ComboBox::SetText(const std::string& given) {
  const std::string text = OneLine(given);
  if (text == text_) return;
  text_ = text;
  Raise(OnChange);
}

void ComboBox::UserPick(std::int16_t index) {
  if (index < 0 || index >= static_cast<std::int16_t>(items_.size())) RaiseError(kErrInvalidPropertyValue);
  text_ = items_[static_cast<std::size_t>(index)];
  Raise(OnClick);
}

}  // namespace velmora
