#pragma once
// The forms library's controls as plain objects, with its event rules: a value
// set in code raises the control's event at once, before the assignment returns.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/ListControl.h"

namespace velmora {

struct Place {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

// What a control is, for the code that goes through the window's controls.
enum class ControlKind { Control, Label, TextBox, CheckBox, OptionButton, CommandButton, ComboBox, ListBox };

class Control {
 public:
  static constexpr ControlKind kKind = ControlKind::Control;
  Control(std::string name, std::int16_t index, Place place) : name_(std::move(name)), index_(index), place_(place) {}
  virtual ~Control() = default;

  const std::string& Name() const { return name_; }
  std::int16_t Index() const { return index_; }  // -1 outside a control array

  bool Visible = true;
  bool Enabled = true;
  const Place& Position() const { return place_; }
  // Moves the control; a negative width or height leaves that size unchanged.
  void Move(std::int32_t left, std::int32_t top, std::int32_t width = -1, std::int32_t height = -1);

  const std::string& FontName() const { return fontName_; }
  double FontSize() const { return fontSize_; }
  bool FontBold() const { return fontBold_; }
  // Late-bound font properties, as ApplyDialogFont sets them: an empty face name
  // and a size that is not a number are refused with run-time error 380 or 13.
  void SetFontName(const std::string& name);
  void SetFontSize(const std::string& size);
  void SetFontBold(bool bold) { fontBold_ = bold; }

 private:
  std::string name_;
  std::int16_t index_;
  Place place_;
  std::string fontName_ = "MS Sans Serif";
  double fontSize_ = 8.25;
  bool fontBold_ = false;
};

class Label : public Control {
 public:
  static constexpr ControlKind kKind = ControlKind::Label;
  using Control::Control;
  std::string Caption;
};

class TextBox : public Control {
 public:
  static constexpr ControlKind kKind = ControlKind::TextBox;
  using Control::Control;
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);  // raises Change when the text changes
  std::int32_t MaxLength = 0;             // 0: no limit; typing only
  std::int32_t SelStart() const { return selStart_; }
  std::int32_t SelLength() const { return selLength_; }
  void SetSelStart(std::int32_t start);
  void SetSelLength(std::int32_t length);  // clamped to the text, as the control does
  // One key typed by the user: KeyPress first (which may discard it), then the
  // character replaces the selection within MaxLength; backspace deletes.
  void TypeKey(std::int16_t keyAscii);

  std::function<void()> OnChange;
  std::function<void(std::int16_t&)> OnKeyPress;

 private:
  std::string text_;
  std::int32_t selStart_ = 0;
  std::int32_t selLength_ = 0;
};

class CheckBox : public Control {
 public:
  static constexpr ControlKind kKind = ControlKind::CheckBox;
  using Control::Control;
  std::string Caption;
  std::int16_t Value() const { return value_; }
  void SetValue(std::int16_t value);  // raises Click when the state changes
  void UserClick();                   // ticks a clear box, clears a ticked or grayed one
  std::function<void()> OnClick;

 private:
  std::int16_t value_ = 0;
};

class OptionButton : public Control {
 public:
  static constexpr ControlKind kKind = ControlKind::OptionButton;
  using Control::Control;
  std::string Caption;
  bool Value = false;
};

class CommandButton : public Control {
 public:
  static constexpr ControlKind kKind = ControlKind::CommandButton;
  using Control::Control;
  std::string Caption;
  void Press();  // setting its value to True: raises Click
  std::function<void()> OnClick;
};

class ListBox : public Control, public ListControl {
 public:
  static constexpr ControlKind kKind = ControlKind::ListBox;
  using Control::Control;
  void Clear() override;
  void AddItem(const std::string& text) override;
  std::int16_t NewIndex() const override { return newIndex_; }
  void SetItemData(std::int16_t index, std::int32_t data) override;
  std::int16_t ListCount() const override { return static_cast<std::int16_t>(items_.size()); }
  void SetListIndex(std::int16_t index) override;  // raises Click when the selection changes
  std::int16_t ListIndex() const { return listIndex_; }
  std::int32_t ItemData(std::int16_t index) const;
  const std::vector<std::string>& Items() const { return items_; }
  const std::vector<std::int32_t>& AllItemData() const { return itemData_; }
  void UserClick(std::int16_t index);  // a click on an entry raises Click even when it is selected
  std::function<void()> OnClick;

 private:
  std::vector<std::string> items_;
  std::vector<std::int32_t> itemData_;
  std::int16_t listIndex_ = -1;
  std::int16_t newIndex_ = -1;
};

// A one-line box's text: line breaks and NUL characters are dropped, as a
// one-line box drops them from a paste, so no value carries them further.
std::string OneLine(const std::string& text);

// What a list holds at most: its count and indexes are 16-bit.
inline constexpr std::size_t kMaxListEntries = 32767;

class ComboBox : public Control {
 public:
  static constexpr ControlKind kKind = ControlKind::ComboBox;
  using Control::Control;
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);  // raises Change when the text changes
  void Clear() { items_.clear(); }
  void AddItem(const std::string& text) { items_.push_back(text); }
  const std::vector<std::string>& Items() const { return items_; }
  void UserPick(std::int16_t index);  // the entry becomes the text; raises Click
  std::function<void()> OnChange;
  std::function<void()> OnClick;

 private:
  std::string text_;
  std::vector<std::string> items_;
};

}  // namespace velmora
