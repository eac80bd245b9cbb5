// The Explore and Help menus: the random gallery, the history with Back and Forward, "Hints and
// tips" and "About...".
#include "ui/Dialogs.h"
#include "ui/editors/AboutForm.h"
#include "ui/editors/HintsForm.h"
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

}  // namespace orbisk
