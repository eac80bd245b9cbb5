// The view-data window: the values of a data file, partly in words, without loading them.
#pragma once

#include <QWidget>
#include <initializer_list>

#include "model/DataFile.h"

class QGridLayout;
class QLabel;

namespace orbisk {

// Deletes itself when OK closes it; the next View data builds a fresh one with empty labels.
class ViewDataForm : public QWidget {
  Q_OBJECT

 public:
  explicit ViewDataForm(QWidget* parent = nullptr);

  // Shows the first 28 fields of record and titles the window after the file. Labels that only
  // take words (v1a, v1b, the frame) keep their previous text when the value has no word.
  void showRecord(const DataRecord& record, const QString& bareFileName);

 private:
  // A row of the grid: a caption and its value label, and optionally a second pair beside them.
  void addRow(const char* caption, const char* name, const char* rightCaption = nullptr,
              const char* rightName = nullptr);
  // A row of the grid: a caption and several value labels side by side, `spacing` apart, each
  // with room for the widest number when reserveNumbers holds.
  void addStrip(const char* caption, std::initializer_list<const char*> names, int spacing,
                bool reserveNumbers);
  // A line across the grid.
  void addSeparator();
  QLabel* addValue(const char* name);

  QGridLayout* grid_ = nullptr;
  int rows_ = 0;  // the grid rows made so far
};

}  // namespace orbisk
