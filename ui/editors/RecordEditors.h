// The three editors of the record: origin, colour system and shape. They live, hidden or shown,
// until the program ends: the renderer reads the record they write while a run goes on, and a
// loaded record sets their controls.
#pragma once

#include "model/DataFile.h"
#include "model/PictureParams.h"

class QWidget;

namespace orbisk {

class Dialogs;
class DriedForm;
class OriginForm;
class XrayForm;

class RecordEditors {
 public:
  // The editors are made hidden, as children of window.
  RecordEditors(PictureParams& params, Dialogs& dialogs, QWidget* window);
  ~RecordEditors();
  RecordEditors(const RecordEditors&) = delete;
  RecordEditors& operator=(const RecordEditors&) = delete;

  OriginForm* origin() const { return origin_; }
  XrayForm* colours() const { return colours_; }
  DriedForm* shape() const { return shape_; }

  // Sets every control to the record's value in the load order, each through its own change
  // handling, so labels, previews and the record follow. A control refuses a value outside its
  // range and keeps its position, and with it the value it holds.
  void setControls(const DataRecord& record);
  // Shows an editor without blocking; one already shown comes to the front as it was.
  static void show(QWidget* editor);

 private:
  OriginForm* origin_;
  XrayForm* colours_;
  DriedForm* shape_;
};

}  // namespace orbisk
