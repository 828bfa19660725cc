#pragma once
// The window's controls in one table. The model declares its members from it,
// and the model's list of controls, the dump and the Qt view go through that
// list: a control added here is made, reset, placed, dumped, drawn and wired by
// its kind, with no other edit.
//
// A row is one of
//   ONE(kind, name, parent, left, top, width, height)        a single control
//   ARRAY(kind, name, parent, count, {place}, ...)           a control array, a place per element
//   LOADED(kind, name, parent, left, top, width, height)     an array of which element 0 is designed
//                                                            and the others loaded at run time
// in the window's order. Places are in twips, inside the parent (Window: the
// window's inner area); a parent's row comes before the rows inside it. The
// table's order is the order of the control collection and the order in which
// the view stacks the widgets.
#include <array>
#include <cstddef>
#include <string>
#include <utility>

#include "wizard/Controls.h"

// clang-format off
#define VELMORA_WINDOW_CONTROLS(ONE, ARRAY, LOADED)                              \
  ONE(Control, ActionPannel, Window, 0, 0, 9480, 3195)                           \
  ONE(Label, LabelTitle, ActionPannel, 0, 0, 9480, 200)                          \
  ONE(Label, ActionTitle, ActionPannel, 150, 200, 5760, 330)                     \
  ONE(Label, ActionInfo, ActionPannel, 120, 2280, 9255, 855)                     \
  ONE(TextBox, ActionTxtBox, ActionPannel, 150, 630, 3000, 315)                  \
  ONE(CheckBox, ActionCheck, ActionPannel, 540, 750, 6000, 255)                  \
  LOADED(OptionButton, ActionOption, ActionPannel, 570, 750, 1680, 240)          \
  ONE(CommandButton, ActionButton, ActionPannel, 3550, 1900, 1350, 330)          \
  ONE(ComboBox, ActionCombo, ActionPannel, 150, 900, 3000, 315)                  \
  ONE(ListBox, ActionList, ActionPannel, 120, 570, 9200, 1220)                   \
  ONE(Label, ActionLabel, ActionPannel, 150, 1260, 3405, 675)                    \
  ONE(Label, line_code, Window, 0, 3195, 9480, 465)                              \
  ONE(Control, Panel3D1, Window, 0, 3660, 9480, 435)                             \
  ARRAY(CommandButton, Bouton, Panel3D1, 4,                                      \
        {11165, 45, 1140, 330} /* open, out of sight */,                         \
        {11855, 45, 1140, 330} /* save, out of sight */,                         \
        {45, 45, 1395, 330} /* cancel */,                                        \
        {7440, 45, 1395, 330} /* done */)                                        \
  ARRAY(CommandButton, Curseur, Panel3D1, 2,                                     \
        {2865, 45, 1395, 330} /* back */,                                        \
        {4245, 45, 1395, 330} /* next */)
// clang-format on

namespace velmora {

// One control of the collection, with what the table says of it.
struct WindowControl {
  Control* control;
  ControlKind kind;
  const char* parent;  // the name of the control it is drawn inside; "Window" for the window
  bool arrayElement;   // an element of a control array (its index counts), shown as one of a JSON array
};

// A control array's elements, each with its index and its place.
template <class Kind, std::size_t N>
std::array<Kind, N> ControlArray(const char* name, const Place (&places)[N]) {
  return [&]<std::size_t... I>(std::index_sequence<I...>) {
    return std::array<Kind, N>{Kind(name, static_cast<std::int16_t>(I), places[I])...};
  }
  (std::make_index_sequence<N>());
}

}  // namespace velmora
