// The view-data window: the values of a data file, partly in words, without loading them.
#pragma once

#include <QWidget>

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
  QLabel* addCaption(QGridLayout* grid, const QString& text, int row, int column);
  QLabel* addValue(QGridLayout* grid, const char* name, int row, int column);

  QLabel* lblgalaxy_;
  QLabel* lblv1a_;
  QLabel* lblsolarsystem_;
  QLabel* lblv1b_;
  QLabel* lblworld_;
  QLabel* lblv2_;
  QLabel* lbllab_;
  QLabel* lblv3_;
  QLabel* lbllevel_;
  QLabel* lblv4_;
  QLabel* lblcategory_;
  QLabel* lbltype_;
  QLabel* lbleffect_;
  QLabel* lblxray_;
  QLabel* lblkl1_;
  QLabel* lblkl2_;
  QLabel* lblkl3_;
  QLabel* lbldirection_;
  QLabel* lbldried_;
  QLabel* lbllenght_;
  QLabel* lblwidth_;
  QLabel* lblcolor_;
  QLabel* lblsize_;
  QLabel* lblthumb_;
};

}  // namespace orbisk
