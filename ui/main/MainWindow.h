// The program's one top-level window: a view of the session. It turns menu commands into session
// calls, shows the canvas and the editors, and asks for files through the dialogs.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "io/FilmJob.h"
#include "io/LargePictureJob.h"
#include "session/Session.h"
#include "ui/editors/RecordEditors.h"
#include "ui/explore/HistoryCommands.h"
#include "ui/main/CanvasView.h"
#include "ui/main/DataFileCommands.h"
#include "ui/main/ImageRecorder.h"
#include "ui/main/PictureCommands.h"

class QProgressDialog;

namespace orbisk {

class AboutForm;
class AnimationForm;
class Dialogs;
class ExploreForm;
class GalleryForm;
class HintsForm;
class MenuBar;
class OriginForm;
class RenderDriver;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Start-up: the menus, the editors, the start-up picture and the undo copy. The window is not
  // shown; the program shows it when the intro window closes.
  explicit MainWindow(Dialogs& dialogs, QWidget* parent = nullptr);
  ~MainWindow() override;

  Session& session() { return session_; }
  PictureParams& params() { return session_.params(); }
  RasterCanvas& canvas() { return session_.canvas(); }
  const RenderState& renderState() { return session_.state(); }
  QImage undoCopy() const;  // the hidden picture redo1
  int16_t stopflag() const { return session_.stopflag(); }
  CanvasView* canvasView() const { return view_; }
  OriginForm* originForm() const { return editors_->origin(); }
  RenderDriver& renderDriver() { return *driver_; }
  bool isRendering() const { return session_.isRunning(); }
  std::optional<DrawnPicture> lastRun() const { return session_.lastRun(); }
  bool canvasIsExactRun() const { return session_.canvasIsExactRun(); }
  const ComposedMask& filtersSinceDrawn() const { return session_.filtersSinceDrawn(); }
  PictureOrder currentOrder() const { return session_.currentOrder(); }

  // A file handed over by the desktop (command line or drop), at any time: a data file or a PNG
  // carrying its record is applied as "Load data" does and drawn as CREATE draws; any other
  // picture is loaded as "Load picture" does. A bad file gets the menu's message.
  void openFile(const QString& path);
  // The worker of "Save large picture...", for tests.
  LargePictureJob* largePictureJob() const { return largeJob_; }
  // The worker of "Make animation...", for tests.
  FilmJob* filmJob() const { return filmJob_; }
  // The Random run with these ten values instead of fresh draws: what a gallery pick does. A
  // run still going on is stopped first, and this one starts after its end steps.
  void randomWith(const RandomCombination& draw);

  // Replace the clock-seeded draws of Random, the system beep and the clock seeds of the
  // gallery's candidate sequences, for tests.
  void setRandomSource(std::function<RandomCombination()> source) {
    session_.setRandomSource(std::move(source));
  }
  void setBeeper(std::function<void()> beep) { beep_ = std::move(beep); }
  void setGallerySeeds(std::function<uint64_t()> seeds) { gallerySeeds_ = std::move(seeds); }
  // The history of pictures drawn, in the user's data folder.
  HistoryStore& history() { return history_->store(); }
  // Brings a history entry back: its record applied as "Load data" applies a picture's, then
  // drawn as CREATE draws, on a cleared canvas. That run adds no entry of its own.
  void bringBack(const HistoryStore::Entry& entry) { history_->bringBack(entry); }

 signals:
  // Exit was confirmed and every window is closed: the program ends now.
  void exitConfirmed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void connectMenus();
  void connectFileMenus();     // File, Edit and the Colours menu's pictures
  void connectExploreMenus();  // Explore and Help
  // The Explore window on the current picture: variations, or children with mate when given.
  void openExplore(const std::optional<PictureParams>& mate = std::nullopt,
                   const QString& mateName = {});
  // Asks for a data file or PNG and opens the Explore window with its children.
  void askToBreed();
  void startRun(RunKind run);
  void onRunEnded(const RunEnd& end);
  void stop();
  void repaint();
  // A menu setting of the record; the frame, the detail and the pen follow.
  void chooseSetting(Field field, int16_t value);
  // The frame's canvas, scroll bars and marks: as its command sets them, as a loaded record
  // does (keeping the size, the progress bar and the scroll positions), or as a loaded picture
  // does (leaving the Scrollbars submenu too).
  void showFrame(int16_t framesize, CanvasView::FrameChange change);
  void startLargePicture(const DrawnPicture& picture, const ComposedMask& filters, int scale,
                         const QString& path, const QByteArray& format, const QString& title);
  void onLargePictureFinished(bool written, const QString& error);
  void onSaveLargePicture();
  // "Make animation...": the pictures and settings, then the file, then the film on workers.
  void onMakeAnimation();
  void askWhereToSaveFilm(FilmRequest request);
  void onFilmFinished(bool written, const QString& error);
  // A loaded record through the editors' controls, then the menus' marks and the frame.
  void applyLoadedRecord(const DataRecord& record);
  // A picture's record as a data file's, then its detail, background and working values.
  void applyDrawnPicture(const DrawnPicture& picture);
  // "Save picture as..." of a history entry: drawn again at full size on the large-picture
  // worker, a PNG with its record.
  void savePictureOf(const DrawnPicture& picture);
  void askToExit();
  void closeAllWindows();

  Dialogs& dialogs_;
  Session session_;  // the record, the canvas and the run
  DataFileCommands dataFiles_{
      session_,
      dialogs_,
      *this,
      {[this](const DataRecord& record) { applyLoadedRecord(record); },
       [this](const DrawnPicture& picture) { applyDrawnPicture(picture); }}};
  PictureCommands pictures_{
      session_, dialogs_, *this,
      [this](int16_t frame) { showFrame(frame, CanvasView::FrameChange::Picture); },
      [this] { repaint(); }};
  CanvasView* view_ = nullptr;
  MenuBar* menus_ = nullptr;
  std::unique_ptr<RecordEditors> editors_;  // origin, colour system and shape
  QPointer<HintsForm> hintsForm_;           // the open hints window; it deletes itself on Close
  QPointer<AboutForm> aboutForm_;           // the open about window; it deletes itself on OK
  RenderDriver* driver_ = nullptr;          // steps the session's run between events
  bool exitQuestionOpen_ = false;
  std::function<void()> beep_;
  ImageRecorder recorder_{session_.recorder()};  // what drew the canvas, asked about a QImage

  LargePictureJob* largeJob_ = nullptr;       // a child, made with the window
  QProgressDialog* largeProgress_ = nullptr;  // a child, made on first use
  QString largeTitle_;  // the command whose picture the worker draws, titling its messages
  QPointer<GalleryForm> galleryForm_;       // the open gallery; it deletes itself when closed
  std::function<uint64_t()> gallerySeeds_;  // the seed of each gallery's candidate sequence
  QPointer<ExploreForm> exploreForm_;  // the open Explore window; it deletes itself when closed
  HistoryCommands* history_ = nullptr;  // the history of pictures drawn; a child

  FilmJob* filmJob_ = nullptr;               // a child, made with the window
  QProgressDialog* filmProgress_ = nullptr;  // a child, made on first use
  QPointer<AnimationForm> animationForm_;    // the open "Make animation" window
};

}  // namespace orbisk
