#pragma once
// Shared layout of the panels: margins, the palette, and the heading every panel starts with.
#include <cstdint>
#include <string>

#include "ui/controls/control_factory_win.h"

namespace panelstyle {

constexpr int kMargin = 16;  // design pixels from the panel's left edge
constexpr int kHeadingTop = 16;
constexpr double kHeadingPoints = 27;
constexpr double kBodyPoints = 15;
constexpr double kSmallPoints = 12;

// 0x00BBGGRR.
constexpr uint32_t kHeadingInk = 0x222222;
constexpr uint32_t kInk = 0x333333;
constexpr uint32_t kMutedInk = 0x666666;
constexpr uint32_t kLabelInk = 0x323232;
constexpr uint32_t kLinkBlue = 0xFF0000;
constexpr uint32_t kBoxFill = 0xE6E6E6;
constexpr uint32_t kBoxBorder = 0xFFFFFF;

inline TextStyle Text(double points, uint32_t colour = kInk, bool bold = false) {
    TextStyle style;
    style.points = points;
    style.colour = colour;
    style.bold = bold;
    return style;
}

}  // namespace panelstyle

// The panel's heading (a text id) at its top left; returns the label.
CTXObj* CreatePanelHeading(HVObj* panel, int textId);

// The text of a text id, or an empty text when the translation has none.
std::wstring Text(int textId);

// The width a text takes in the window's face at a size in design points.
int TextWidth(const std::wstring& text, double points);

// A push button's width for a caption of 12 points: the standard 100·s, or the caption's width and
// 24·s of padding when that is more.
int CaptionButtonWidth(const std::wstring& caption);
