// "Make animation...": a film from the picture on the canvas to one or several pictures of the
// history, made on worker threads while the window stays usable, with progress and Cancel.
#include <QDir>
#include <QFile>
#include <QProgressDialog>

#include "io/FilmEncoder.h"
#include "session/PictureRecordText.h"
#include "ui/Dialogs.h"
#include "ui/main/AnimationForm.h"
#include "ui/main/CanvasView.h"
#include "ui/main/MainWindow.h"

namespace orbisk {

namespace {

constexpr const char* kTitle = "Make animation";
// The newest entries offered besides the starred ones: enough to choose from, few enough to
// read at once.
constexpr std::size_t kOfferedEntries = 100;

}  // namespace

void MainWindow::onMakeAnimation() {
  if (filmJob_->isRunning()) {
    dialogs_.inform(this, kTitle,
                    "An animation is still being made. Wait for it, or cancel it first.");
    return;
  }
  const QImage& shown = view_->canvasWidget()->image();
  const std::optional<DrawnPicture> drawn = lastRun();
  if (isRendering() || !drawn ||
      !recorder_.showsExactRunFiltered(shown, session_.filtersSinceDrawn())) {
    dialogs_.inform(this, kTitle,
                    "An animation starts from a whole picture drawn from parameters. Draw one "
                    "with CREATE first, and let its run end.");
    return;
  }
  std::vector<AnimationForm::Choice> choices;
  std::size_t listed = 0;  // entries looked at so far, newest first
  for (const HistoryStore::Entry& entry : history().entries()) {
    // The newest entries, and every starred one however old.
    if (listed++ >= kOfferedEntries && !entry.starred) continue;
    const std::optional<QString> text = history().record(entry);
    std::optional<DrawnPicture> picture =
        text ? parsePictureRecord(text->toStdString(), nullptr) : std::nullopt;
    if (!picture) continue;  // a damaged entry is left out, as the history window leaves it
    QString label = entry.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (entry.starred) label += QStringLiteral("  \u2605");
    choices.push_back({*picture, label, history().thumbnail(entry)});
  }
  if (choices.empty()) {
    dialogs_.inform(this, kTitle,
                    "The history holds no picture to go to. Draw another picture first: every "
                    "complete run adds one.");
    return;
  }
  const DrawnPicture from = *drawn;
  auto* form = new AnimationForm(std::move(choices), frameCanvasSize(from.params.framesize), this);
  form->setAttribute(Qt::WA_DeleteOnClose);
  form->setWindowModality(Qt::WindowModal);
  connect(form, &QDialog::accepted, this, [this, form, from] {
    FilmRequest request;
    request.format = form->format();
    request.film.path.keyframes.push_back(from);
    for (const DrawnPicture& picture : form->chosenPictures())
      request.film.path.keyframes.push_back(picture);
    request.film.path.frames = form->frames();
    request.film.path.easing = form->easing();
    request.film.fps = form->fps();
    request.film.scale = form->scale();
    for (DrawnPicture& picture : request.film.path.keyframes) {
      picture.params.detailstep = picture.detailstep;
      picture.scale = static_cast<int16_t>(request.film.scale);
    }
    askWhereToSaveFilm(std::move(request));
  });
  animationForm_ = form;
  form->open();
}

void MainWindow::askWhereToSaveFilm(FilmRequest request) {
  if (const std::string why = checkFilmPath(request.film.path); !why.empty()) {
    dialogs_.warn(this, kTitle,
                  QString("This animation cannot be made: %1.").arg(QString::fromStdString(why)));
    return;
  }
  if (const std::string missing = filmEncoderMissing(request.format); !missing.empty()) {
    dialogs_.warn(this, kTitle, QString::fromStdString(missing) + ".");
    return;
  }
  const FileDialogRequest dialog{kTitle, filmFileFilter(request.format), true};
  dialogs_.saveFile(
      this, dialog, [this, request = std::move(request)](const QString& chosen) mutable {
        if (chosen.isEmpty()) return;
        request.path = withFilmExtension(chosen, request.format);
        if (request.format == FilmFormat::Folder &&
            filmFormatFor(QFile::encodeName(request.path).toStdString()) != FilmFormat::Folder) {
          dialogs_.warn(
              this, kTitle,
              QString("\"%1\" has an extension; a folder of frames needs a name without one.")
                  .arg(QDir::toNativeSeparators(request.path)));
          return;
        }
        if (!filmProgress_) {
          filmProgress_ = new QProgressDialog("Making the animation...", "Cancel", 0, 100, this);
          filmProgress_->setObjectName("animationprogress");
          filmProgress_->setWindowModality(Qt::NonModal);  // the window stays usable
          filmProgress_->setAutoClose(false);
          filmProgress_->setAutoReset(false);
          filmProgress_->setMinimumDuration(0);
          connect(filmJob_, &FilmJob::progressed, filmProgress_, [this](int done, int frames) {
            filmProgress_->setMaximum(frames);
            filmProgress_->setValue(done);
          });
          connect(filmProgress_, &QProgressDialog::canceled, filmJob_, &FilmJob::cancel);
        }
        if (!filmJob_->start(std::move(request))) return;
        filmProgress_->setWindowTitle(kTitle);
        filmProgress_->reset();
        filmProgress_->setValue(0);
        filmProgress_->show();
      });
}

void MainWindow::onFilmFinished(bool /*written*/, const QString& error) {
  if (filmProgress_) filmProgress_->hide();
  if (!error.isEmpty()) dialogs_.warn(this, kTitle, error);
}

}  // namespace orbisk
