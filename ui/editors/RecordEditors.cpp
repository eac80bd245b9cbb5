#include "ui/editors/RecordEditors.h"

#include "model/RecordFields.h"
#include "ui/editors/DriedForm.h"
#include "ui/editors/OriginForm.h"
#include "ui/editors/XrayForm.h"

namespace orbisk {

RecordEditors::RecordEditors(PictureParams& params, Dialogs& dialogs, QWidget* window)
    : origin_(new OriginForm(params, dialogs, window)),
      colours_(new XrayForm(params, dialogs, window)),
      shape_(new DriedForm(params, dialogs, window)) {
  if (!origin_->isWindow()) origin_->setWindowFlag(Qt::Window, true);
  origin_->hide();
  origin_->setFunctionLists();
  colours_->hide();
  shape_->hide();
}

RecordEditors::~RecordEditors() {
  delete origin_;
  delete colours_;
  delete shape_;
}

void RecordEditors::setControls(const DataRecord& record) {
  for (const FieldEntry& entry : recordFields()) {
    if (!entry.control || entry.loading == Loading::NotInTheFile) continue;
    for (EditorWindow* editor : std::initializer_list<EditorWindow*>{origin_, colours_, shape_}) {
      if (editor->setControl(*entry.control, record[entry.position])) break;
    }
  }
}

void RecordEditors::show(QWidget* editor) {
  editor->show();
  editor->raise();
  editor->activateWindow();
}

}  // namespace orbisk
