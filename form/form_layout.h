#pragma once

#include "calc/lists.h"
#include "form/faces.h"
#include "form/form1.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QRgb>

#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

namespace tavrin {

// Where a control's pointer lives in Form1; the alternative also says which kind of control it is.
using ControlMember =
    std::variant<QLabel * Form1::*, QLineEdit * Form1::*, QComboBox * Form1::*, QPushButton * Form1::*>;

enum class Ink : std::uint8_t { System, Red, Blue };

struct Look {
  Face face = Face::Song;
  double points = 9;
  bool bold = false;
  Ink ink = Ink::System;
};

// What a control shows: a caption, or for a list the items it offers.
using Shows = std::variant<std::string_view, const ItemList *>;

// One control as drawn: position and size in twips from the client area's top-left corner, its place in
// the tab order, and its caption or items.
struct ControlSpec {
  ControlMember member;
  std::string_view name;
  int left, top, width, height;
  int tabPlace;
  Shows shows;
  Look look{};
  bool hiddenAtCreation = false;
};

// An input or a result display and the label beside it that names it.
struct NamedBy {
  ControlMember control;
  QLabel *Form1::*label;
  bool isResult = false;
};

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidthTwips = 10830;
inline constexpr int kClientHeightTwips = 8415;

std::span<const ControlSpec> formLayout();
std::span<const NamedBy> namingLabels();
// The control a member of the window points to.
QWidget *widgetOf(const Form1 &form, const ControlMember &member);

QRect pixelRect(const ControlSpec &spec);
// Shows a value in a value label. The labels are drawn narrow ("355.5555" in Kai 14.25 pt needs more than
// Label22's 57 pixels), and a clipped number reads as a different number: a label grows to its value into
// the free space at its right, and is back at its drawn width, which the window gives every label as its
// minimum width, once its value is short again or emptied.
void showInFull(QLabel &label, const QString &value);
// A shown result's working, as its tooltip and as the description screen readers read after its name;
// empty with no value on view. Defined beside the layout, where the displays are.
void setWorking(QWidget &display, const QString &working);
QString workingOn(const QWidget &display);

// The control font of a look: its face's family list from the first installed family, in its size.
QFont fontFor(const Look &look);
QColor inkColour(Ink ink);
// One colour role of the window as drawn: its colour in an active or inactive window, and disabled.
struct DrawnColour {
  QPalette::ColorRole role;
  QRgb enabled, disabled;
};
// Every colour role but NoRole, in the colours the window is drawn in.
std::span<const DrawnColour> drawnColours();
// The window's palette: the drawn colours, with every role set so that none follows the desktop's palette.
QPalette drawnPalette();

} // namespace tavrin
