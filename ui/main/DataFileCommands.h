// The data-file commands as the main window uses them: "Save data as...", "Load data" and "View
// data", of ".dat" files and of the record a PNG of ours carries.
#pragma once

#include <QPointer>
#include <QString>
#include <functional>
#include <optional>

#include "model/DataFile.h"
#include "session/Session.h"

class QWidget;

namespace orbisk {

class Dialogs;
class ViewDataForm;

class DataFileCommands {
 public:
  // How the window applies what was read.
  struct Hooks {
    std::function<void(const DataRecord&)> applyRecord;     // a data file's record
    std::function<void(const DrawnPicture&)> applyPicture;  // a PNG's record and start values
  };

  DataFileCommands(Session& session, Dialogs& dialogs, QWidget& window, Hooks hooks);

  // "Save data as..." of these values, or of the record when the name comes.
  void askToSave(std::optional<PictureParams> params);
  void askToLoad();
  void askToView();
  // "Load data" of a data file or a PNG carrying its record; false (after a message) when the
  // file cannot be applied, and then nothing has changed.
  bool load(const QString& path);
  // The open view-data window, if any.
  ViewDataForm* viewForm() const;

 private:
  void view(const QString& path);

  Session& session_;
  Dialogs& dialogs_;
  QWidget& window_;
  Hooks hooks_;
  QPointer<ViewDataForm> viewForm_;  // the open view-data window; it deletes itself on OK
};

}  // namespace orbisk
