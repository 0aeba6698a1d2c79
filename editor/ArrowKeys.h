#pragma once
// How far an arrow key moves the selected object on the worksheet.
#include <QPoint>

#include <cstdint>
#include <optional>

#include "Control.h"

// Virtual keys of the four arrows.
constexpr uint16_t VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40;

// One grid step while snapping applies (snapping on, neither Ctrl nor Alt
// held), else one pixel, in the arrow's direction; nullopt for other keys.
std::optional<QPoint> ArrowKeyStep(uint16_t key, TShiftState shift, bool snapToGrid, int gridWidth);
