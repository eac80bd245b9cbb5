// Texts of fixed-size windows that must show whole, whatever font the desktop gives.
#pragma once

class QLabel;

namespace orbisk {

// Makes the label's font smaller, a half point at a time, until its one line of text fits the
// label's width and height. A text that fits already keeps the font it has; the font never
// goes below a size that can still be read.
void shrinkFontToFit(QLabel* label);

}  // namespace orbisk
