#pragma once

#include <span>
#include <string_view>

#include "lobe_catalogue.h"

// The options form's controls as data, one row a control: the form is built
// from these rows, its keyboard order is their tab positions, and its layout
// test walks them.

enum class ControlKind { Label, TextBox, Button, Picture, Frame, CheckBox, OptionButton, List };

// What a text box lets through of typed and pasted text.
enum class KeyFilterKind { AnyText, Numeric, Charge };

// The option group an option button belongs to; the button's value is the
// catalogue's code for its choice.
enum class OptionGroup { None, BasisSet, ConfigurationInteraction, CoreOrbitals };

// Left, top, width, height in twips, inside a frame relative to the frame.
struct TwipRect {
  int left;
  int top;
  int width;
  int height;
};

struct ControlRow {
  std::string_view name;     // the control's name, also its objectName
  ControlKind kind;
  std::string_view caption;  // Latin-1: a caption, or the start text of a box
  TwipRect place;
  std::string_view frame = {};  // the frame holding the control; empty: the form itself
  int tab = -1;                 // place in the keyboard order; -1: never takes the focus
  bool enabled = true;          // at start
  bool checked = false;         // at start; check boxes all start unchecked
  std::string_view accessibleName = {};  // for assistive tools, where caption and label say too little
  std::string_view buddy = {};           // a label: the control it names
  int maxLength = 0;                     // a text box: characters it takes; 0: no limit
  KeyFilterKind keyFilter = KeyFilterKind::AnyText;
  std::span<const vorden::ListItem> items = {};  // a list: its items, the first chosen at start
  OptionGroup group = OptionGroup::None;         // an option button: its group and its value there
  int value = 0;
  int fontPixels = 0;  // a font size of its own; 0: the form's
};

// Every control of the form, in the order they are created (later ones lie
// above earlier ones where they overlap).
std::span<const ControlRow> formControls();
