// The Explore and Help menus: the random gallery, the history with Back and Forward, "Hints and
// tips" and "About...".
#include <QFile>
#include <QFileInfo>

#include "io/DataFileIo.h"
#include "io/RecordedPicture.h"
#include "ui/Dialogs.h"
#include "ui/editors/AboutForm.h"
#include "ui/editors/HintsForm.h"
#include "ui/explore/ExploreForm.h"
#include "ui/explore/GalleryForm.h"
#include "ui/main/ClockSeed.h"
#include "ui/main/MainWindow.h"
#include "ui/main/MenuBar.h"

namespace orbisk {

namespace {

// Shows the open window of this kind in front, or builds a new one. A window closed by its
// button is only waiting for its deletion, so the next opening builds a fresh one.
template <typename Form>
Form* showWindow(QPointer<Form>& form, const std::function<Form*()>& make) {
  if (form && form->isHidden()) {
    form->deleteLater();
    form.clear();
  }
  if (!form) form = make();
  form->show();
  form->raise();
  form->activateWindow();
  return form;
}

}  // namespace

void MainWindow::connectExploreMenus() {
  menus_->onCommand("hints", [this] {
    showWindow<HintsForm>(hintsForm_, [this] { return new HintsForm(this); });
  });
  menus_->onCommand("about", [this] {
    showWindow<AboutForm>(aboutForm_, [this] { return new AboutForm(this); });
  });
  history_ =
      new HistoryCommands(session_, dialogs_, *this,
                          {[this](const DrawnPicture& picture) {
                             // Drawn as CREATE draws, on a cleared canvas, once a run going on
                             // has ended.
                             applyDrawnPicture(picture);
                             menus_->enableForGood();
                             if (isRendering()) stop();
                             session_.bringBackNext();
                             startRun(RunKind::Create);
                           },
                           [this](const PictureParams& params) { dataFiles_.askToSave(params); },
                           [this](const DrawnPicture& picture) { savePictureOf(picture); }});
  menus_->onCommand("back", [this] { history_->step(true); });
  menus_->onCommand("forward", [this] { history_->step(false); });
  menus_->onCommand("history", [this] { history_->open(); });
  menus_->onCommand("variations", [this] { openExplore(); });
  menus_->onCommand("breed", [this] { askToBreed(); });
  menus_->onCommand("gallery", [this] {
    showWindow<GalleryForm>(galleryForm_, [this] {
      GallerySource source;
      source.currentOrder = [this] { return currentOrder(); };
      // A fresh candidate sequence for every gallery opened.
      source.seed = [this] { return gallerySeeds_ ? gallerySeeds_() : clockSeed(); };
      source.pick = [this](const RandomCombination& draw) { randomWith(draw); };
      auto* form = new GalleryForm(std::move(source), this);
      form->fill();
      return form;
    });
  });
}

void MainWindow::openExplore(const std::optional<PictureParams>& mate, const QString& mateName) {
  ExploreForm* form = showWindow<ExploreForm>(exploreForm_, [this] {
    ExploreSource source;
    source.currentOrder = [this] { return currentOrder(); };
    source.seed = [this] { return gallerySeeds_ ? gallerySeeds_() : clockSeed(); };
    source.pick = [this](const PictureOrder& order, const std::string& origin) {
      // Drawn as the cell drew it: its record on the working values it started from, on a
      // cleared canvas, once a run going on has ended; kept in the history with its origin.
      DrawnPicture picture;
      picture.params = order.params;
      picture.startState = order.state;
      picture.background = order.canvas.background;
      picture.detailstep = order.params.detailstep;
      applyDrawnPicture(picture);
      menus_->enableForGood();
      if (isRendering()) stop();
      session_.setNextOrigin(origin);
      startRun(RunKind::Create);
    };
    return new ExploreForm(std::move(source), this);
  });
  if (mate)
    form->breed(*mate, mateName);
  else
    form->vary();
}

void MainWindow::askToBreed() {
  dialogs_.openFile(
      this, {"Breed with", "Data files and pictures|*.dat;*.DAT;*.png;*.PNG|All files|*", false},
      [this](const QString& path) {
        if (path.isEmpty() || session_.isEnding()) return;
        const QString name = QFileInfo(path).fileName();
        if (isPngFile(path)) {
          const RecordedPictureRead read = readRecordedPicture(path);
          if (read.outcome != RecordedPictureRead::Outcome::Recorded) {
            dialogs_.warn(this, "Orbisk - Breed with", read.error);
            return;
          }
          openExplore(read.picture.params, name);
          return;
        }
        const RecordFileResult read = readRecordFile(QFile::encodeName(path).toStdString());
        if (!read.ok) {
          dialogs_.warn(
              this, "Orbisk - Breed with",
              QString::fromLocal8Bit(read.error.data(), static_cast<qsizetype>(read.error.size())));
          return;
        }
        PictureParams other;
        applyRecord(read.record, other);
        openExplore(other, name);
      });
}

}  // namespace orbisk
