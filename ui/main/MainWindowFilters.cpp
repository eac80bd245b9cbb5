// The Colours menu's picture commands: the ten filters, "Undo filter(s)" and "Background".
#include <QColor>
#include <optional>

#include "ui/Dialogs.h"
#include "ui/main/CanvasView.h"
#include "ui/main/Filters.h"
#include "ui/main/MainWindow.h"

namespace orbisk {

void MainWindow::onFilter(int index) {
  const Filter* filter = filterAt(index);
  if (!filter) return;
  // The whole canvas in one go, without yielding: a render in progress meets the filtered
  // picture at its next column.
  canvas_.applyMask(filter->op, filter->mask);
  // A render going on, or the next one, draws in the mode the Colours menu has chosen.
  canvas_.setPenMode(params_.inverse == 1 ? PenMode::InvertedCopy : PenMode::Copy);
  view_->canvasWidget()->update();
}

void MainWindow::onUndoFilters() {
  // The undo copy becomes the canvas's whole content; where the canvas has since grown beyond
  // the copy, the background colour shows.
  const QImage copy = redo1_.convertToFormat(QImage::Format_RGB32);
  canvas_.setPicture(reinterpret_cast<const uint32_t*>(copy.constBits()), copy.width(),
                     copy.height(), static_cast<int>(copy.bytesPerLine() / 4));
  view_->canvasWidget()->update();
}

void MainWindow::onBackground() {
  // The picker opens at the colour the canvas has now, so "OK" alone keeps it.
  const uint32_t current = canvas_.backgroundColour();
  const QColor initial(static_cast<int>(current & 0xff), static_cast<int>((current >> 8) & 0xff),
                       static_cast<int>((current >> 16) & 0xff));
  dialogs_.chooseColour(this, initial, [this](std::optional<QColor> chosen) {
    if (!chosen || !chosen->isValid()) return;  // cancelled: nothing changes
    const QColor colour = chosen->toRgb();
    const uint32_t value = static_cast<uint32_t>(colour.red()) |
                           (static_cast<uint32_t>(colour.green()) << 8) |
                           (static_cast<uint32_t>(colour.blue()) << 16);
    // The canvas becomes a plain field of the colour; the undo copy keeps what it held.
    canvas_.setBackgroundColour(value);
    view_->canvasWidget()->update();
  });
}

}  // namespace orbisk
