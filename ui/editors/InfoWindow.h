// What the intro, hints, about and view-data windows share: frame style and placement.
#pragma once

#include <Qt>

class QWidget;

namespace orbisk {

// A top-level window with a title bar and a close button, but no minimise or maximise button.
constexpr Qt::WindowFlags kInfoWindowFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// Moves the window so that its frame is centred on its screen.
void centreOnScreen(QWidget* window);

// Moves the window so that its frame is centred horizontally on its screen; the top stays.
void centreHorizontally(QWidget* window);

}  // namespace orbisk
