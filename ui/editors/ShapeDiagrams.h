// The two small diagrams of the shape editor: the slant of the bar shapes and their height.
#pragma once

#include <QColor>
#include <QLineF>
#include <QWidget>
#include <array>

namespace orbisk {

// The slant diagram for slant g, in pixels of its 152 x 100 area: a parallelogram whose top edge
// is shifted left and bottom edge right by g (a 50-pixel square at g = 0), the red slant line
// through its middle and the fixed red horizontal line at half height.
struct SlantFigure {
  QLineF top;       // (50 - g, 25) to (100 - g, 25)
  QLineF bottom;    // (50 + g, 75) to (100 + g, 75)
  QLineF left;      // joins the left ends of top and bottom
  QLineF right;     // joins the right ends
  QLineF red;       // (75 - g, 25) to (75 + g, 75)
  QLineF fixedRed;  // (50, 50) to (100, 50), whatever g is
};
SlantFigure slantFigure(int g);

// The height diagram for height h, in pixels of its 24 x 100 area: three vertical lines at
// x = 5, 11 and 17, each from y = 75 up to y = 75 - h; the middle one is red.
std::array<QLineF, 3> heightLines(int h);

// Red of the slant line, the fixed line and the middle height line.
QColor diagramRed();

// Both diagrams draw over a fixed title-bar-like background: the palette's highlight colour
// darkening downwards, with the plain lines in the palette's highlighted-text colour, which is
// how a title bar's text stands on it.
class SlantDiagram : public QWidget {
  Q_OBJECT

 public:
  explicit SlantDiagram(QWidget* parent = nullptr);
  void setSlant(int g);
  int slant() const { return slant_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int slant_ = 0;
};

class HeightDiagram : public QWidget {
  Q_OBJECT

 public:
  explicit HeightDiagram(QWidget* parent = nullptr);
  void setHeightValue(int h);
  int heightValue() const { return height_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int height_ = 1;
};

}  // namespace orbisk
