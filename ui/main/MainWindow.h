// The program's one top-level window: a view of the session. It turns menu commands into session
// calls, shows the canvas and the editors, and asks for files through the dialogs.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <optional>

#include "io/HistoryStore.h"
#include "session/Session.h"
#include "ui/main/ImageRecorder.h"
#include "ui/main/LargePictureJob.h"

class QProgressDialog;
class QThread;

namespace orbisk {

class AboutForm;
class CanvasView;
class Dialogs;
class DriedForm;
class GalleryForm;
class HistoryForm;
class HintsForm;
class MenuBar;
class OriginForm;
class RenderDriver;
class ViewDataForm;
class XrayForm;
struct DataRecord;

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
  OriginForm* originForm() const { return originForm_; }
  RenderDriver& renderDriver() { return *driver_; }
  bool isRendering() const { return session_.isRunning(); }
  std::optional<DrawnPicture> lastRun() const { return session_.lastRun(); }
  bool canvasIsExactRun() const { return session_.canvasIsExactRun(); }
  const ComposedMask& filtersSinceDrawn() const { return session_.filtersSinceDrawn(); }
  OffscreenOrder currentOrder() const { return session_.currentOrder(); }

  // A file handed over by the desktop (command line or drop), at any time: a data file or a PNG
  // carrying its record is applied as "Load data" does and drawn as CREATE draws; any other
  // picture is loaded as "Load picture" does. A bad file gets the menu's message.
  void openFile(const QString& path);
  // The worker of "Save large picture...", for tests.
  LargePictureJob* largePictureJob() const { return largeJob_; }
  // The Random run with these ten values instead of fresh draws: what a gallery pick does. A
  // run still going on is stopped first, and this one starts after its end steps.
  void randomWith(const RandomCombination& draw);

  // Replace the clock-seeded draws of Random, the system beep and the clock seeds of the
  // gallery's candidate sequences, for tests.
  void setRandomSource(std::function<RandomCombination()> source);
  void setBeeper(std::function<void()> beep) { beep_ = std::move(beep); }
  void setGallerySeeds(std::function<uint64_t()> seeds) { gallerySeeds_ = std::move(seeds); }
  // The history of pictures drawn, in the user's data folder.
  HistoryStore& history() { return history_; }
  // Brings a history entry back: its record applied as "Load data" applies a picture's, then
  // drawn as CREATE draws, on a cleared canvas. That run adds no entry of its own.
  void bringBack(const HistoryStore::Entry& entry);

 signals:
  // Exit was confirmed and every window is closed: the program ends now.
  void exitConfirmed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  enum class FrameChange { Command, Loaded, Picture };

  void connectMenus();
  void connectFileMenus();     // File, Edit and the Colours menu's pictures
  void connectExploreMenus();  // Explore and Help
  QAction* action(const char* name) const;
  // Runs
  void startRun(RunKind run);
  void onRunEnded(const RunEnd& end);
  void stop();
  void beep();
  void repaint();
  // A menu setting of the record; the frame, the detail and the pen follow.
  void chooseSetting(Field field, int16_t value);
  // The frame's canvas, scroll bars and marks: as its command sets them, as a loaded record
  // does (keeping the size, the progress bar and the scroll positions), or as a loaded picture
  // does (leaving the Scrollbars submenu too).
  void showFrame(int16_t framesize, FrameChange change);
  void setScrollChecks(bool shown);
  void showEditor(QWidget* editor);
  // Large pictures
  void startLargePicture(const DrawnPicture& picture, const ComposedMask& filters, int scale,
                         const QString& path, const QByteArray& format, const QString& title);
  void onLargePictureFinished(bool written, const QString& error);
  void onSaveLargePicture();
  // Data files
  void saveDataAs(std::optional<PictureParams> params);  // none: the record when the name comes
  // "Load data" of a data file or a PNG carrying its record; false (after a message) when the
  // file cannot be applied, and then nothing has changed.
  bool loadData(const QString& path);
  void applyDrawnPicture(const DrawnPicture& picture);
  void applyLoadedRecord(const DataRecord& record);
  void viewData(const QString& path);
  // Picture files and the clipboard
  bool loadPicture(const QString& path);  // false (after a message) when nothing changed
  void savePicture(const QString& path, int filterIndex);
  void showPicture(const QImage& picture);
  void savePictureOf(const DrawnPicture& picture);
  void onBackground();
  void applyFilter(int index);  // index into the Filters submenu's ten filters
  // History
  void listHistoryInBackground();
  void addHistoryEntry();
  std::optional<DrawnPicture> historyPicture(const HistoryStore::Entry& entry,
                                             const QString& title);
  void stepHistory(bool older);
  // Exit
  void askToExit();
  void closeAllWindows();

  Dialogs& dialogs_;
  Session session_;  // the record, the canvas and the run
  CanvasView* view_ = nullptr;
  MenuBar* menus_ = nullptr;
  OriginForm* originForm_ = nullptr;
  XrayForm* xrayForm_ = nullptr;         // colour-system editor, hidden or shown until exit
  DriedForm* driedForm_ = nullptr;       // shape editor, hidden or shown until exit
  QPointer<ViewDataForm> viewDataForm_;  // the open view-data window; it deletes itself on OK
  QPointer<HintsForm> hintsForm_;        // the open hints window; it deletes itself on Close
  QPointer<AboutForm> aboutForm_;        // the open about window; it deletes itself on OK
  RenderDriver* driver_ = nullptr;       // steps the session's run between events
  bool exitQuestionOpen_ = false;
  std::function<void()> beep_;
  // What drew the canvas, and the filters since, under the names the large picture reads.
  ImageRecorder recorder_{session_.recorder()};
  const ComposedMask& filtersSinceDrawn_ = session_.filtersSinceDrawn();

  LargePictureJob* largeJob_ = nullptr;       // a child, made with the window
  QProgressDialog* largeProgress_ = nullptr;  // a child, made on first use
  QString largeTitle_;  // the command whose picture the worker draws, titling its messages
  QPointer<GalleryForm> galleryForm_;       // the open gallery; it deletes itself when closed
  std::function<uint64_t()> gallerySeeds_;  // the seed of each gallery's candidate sequence
  HistoryStore history_;                    // the entries on disk
  QThread* historyLister_ = nullptr;        // lists the history folder once, off this thread
  QPointer<HistoryForm> historyForm_;       // the open history window; it deletes itself on close
  bool historyWarned_ = false;              // a failed write has been reported once already
};

}  // namespace orbisk
