// The program's one top-level window: it owns the picture record, the canvas, the renderer's
// working state and the undo copy, carries the whole menu bar and drives the render runs.
#pragma once

#include <QHash>
#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <optional>

#include "io/DrawnPicture.h"
#include "io/HistoryStore.h"
#include "io/LargePictureJob.h"
#include "model/PictureParams.h"
#include "render/random/RandomCombination.h"
#include "render/run/RenderState.h"
#include "render/run/WholePicture.h"
#include "render/surfaces/RasterCanvas.h"
#include "ui/main/RunRecorder.h"

class QAction;
class QMenu;
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
class OriginForm;
class RenderDriver;
class ViewDataForm;
class XrayForm;
struct DataRecord;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kRegularWidth = 632, kRegularHeight = 434;
  static constexpr int kThumbnailWidth = 117, kThumbnailHeight = 90;
  static constexpr int kMaximumWidth = 948, kMaximumHeight = 651;
  static constexpr int kThumbnailSize = 54;  // the size a Thumbnail frame sets

  // Start-up: defaults, the origin editor with its function lists, the start-up picture and the
  // undo copy. The window is not shown; the program shows it when the intro window closes.
  explicit MainWindow(Dialogs& dialogs, QWidget* parent = nullptr);
  ~MainWindow() override;

  PictureParams& params() { return params_; }
  RasterCanvas& canvas() { return canvas_; }
  const RenderState& renderState() const { return state_; }
  const QImage& undoCopy() const { return redo1_; }  // the hidden picture redo1
  int16_t stopflag() const { return stopflag_; }     // -1 after a stop request, else 0
  CanvasView* canvasView() const { return view_; }
  OriginForm* originForm() const { return originForm_; }
  RenderDriver& renderDriver() { return *driver_; }
  bool isRendering() const;

  // The record and start values of the last complete, unstopped run (kept after filters: a
  // filter does not change what drew the picture).
  std::optional<DrawnPicture> lastRun() const { return recorder_.lastRun(); }
  // True only while the canvas shows exactly that run and nothing else: no filter, paste,
  // loaded picture, Background, stop, second run over it or change that reached it mid-run.
  bool canvasIsExactRun() const;

  // A file handed over by the desktop (command line or drop), at any time: a data file or a PNG
  // carrying its record is applied as "Load data" does and drawn as CREATE draws; any other
  // picture is loaded as "Load picture" does. A bad file gets the menu's message.
  void openFile(const QString& path);
  // The filters applied to the canvas since its picture was drawn, composed into one mask.
  const ComposedMask& filtersSinceDrawn() const { return filtersSinceDrawn_; }
  // The worker of "Save large picture...", for tests.
  LargePictureJob* largePictureJob() const { return largeJob_; }
  // The Random run with these ten values instead of fresh draws: what a gallery pick does. A
  // run still going on is stopped first, and this one starts after its end steps.
  void randomWith(const RandomCombination& draw);
  // The record, working values and canvas set-up a run started now would begin from.
  PictureOrder currentOrder() const;

  // Replace the clock-seeded draws of Random and the system beep, for tests.
  void setRandomSource(std::function<RandomCombination()> source);
  void setBeeper(std::function<void()> beep);
  // Replace the clock seeds of the gallery's candidate sequences, for tests.
  void setGallerySeeds(std::function<uint64_t()> seeds);
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
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  enum class Run { None, Create, Random };

  void buildMenus();
  QAction* action(const char* name) const;
  QMenu* menu(const char* name) const;
  // False when a menu above the action is disabled, so its shortcut must not fire.
  bool reachable(QAction* item) const;

  // Render runs
  void startRun(Run run);
  void startCreate();
  void startRandom();
  void onTraversalEnded();
  void setRunMenus(bool running);
  void enableMenusForGood();
  void takeUndoCopy();
  void beep();

  // Large pictures
  void startLargePicture(const DrawnPicture& picture, const ComposedMask& filters, int scale,
                         const QString& path, const QByteArray& format, const QString& title);
  void onLargePictureFinished(bool written, const QString& error);

  // Frames
  void setFrameChecks(const char* checkedItem);
  void setScrollChecks(bool shown);

  // Colour-system and shape editors, drawing mode
  void createColourAndShapeEditors();
  void setPenModeAndChecks(int16_t inverse);  // pen mode and Colours check marks for 0 or 1

  // Data files
  // "Load data" of a data file or a PNG carrying its record; false (after a message) when the
  // file cannot be applied, and then nothing has changed.
  bool loadData(const QString& path);
  // A picture's record, detail, background and carried-over working values, so that CREATE
  // draws that picture again.
  void applyDrawnPicture(const DrawnPicture& picture);
  void setDetail(int16_t detailstep);  // the detail, pen and check mark, without the progress bar
  void applyLoadedRecord(const DataRecord& record);
  void alignWindowWithLoadedRecord();

  // Picture files and the clipboard
  bool loadPicture(const QString& path);  // false (after a message) when nothing changed
  void savePicture(const QString& path, int filterIndex);
  // Makes the picture the canvas's background, at its own size from the top-left corner.
  void showPicture(const QImage& picture);
  // Switches to the frame a loaded picture of this size asks for, without the Frame commands'
  // side steps (scroll bar menu, progress bar, size, scroll values).
  void fitFrameToPicture(int width, int height);

  // History
  // Lists the history folder on a worker thread, so that no run's end waits for the listing of a
  // long history; the store takes the listing when it arrives.
  void listHistoryInBackground();
  // Adds the run that has just ended complete, unless the newest entry holds the same record.
  void addHistoryEntry();
  // The picture an entry records; nothing (after a message titled title) when it cannot be read.
  std::optional<DrawnPicture> historyPicture(const HistoryStore::Entry& entry,
                                             const QString& title);
  // Back (older) and Forward (newer): the next entry from the cursor, brought back.
  void stepHistory(bool older);
  // "Save data as..." of a given record rather than the window's.
  void saveDataAs(const PictureParams& params);
  // "Save picture as..." of a history entry: drawn again at full size on the large-picture
  // worker, a PNG with its record.
  void savePictureOf(const DrawnPicture& picture);

  // Exit
  void askToExit();
  void closeAllWindows();

  // Menu commands, one per item.
  void onLoadPicture();
  void onSavePicture();
  void onSaveLargePicture();
  void onLoadData();
  void onSaveData();
  void onViewData();
  void onAlwaysClear();
  void onUseClearButton();
  void onShowProgress();
  void onHideProgress();
  void onBeepOn();
  void onBeepOff();
  void onExit();
  void onCopy();
  void onPaste();
  void onThumbnail();
  void onRegularFrame();
  void onMaximumFrame();
  void onScrollbarsShow();
  void onScrollbarsHide();
  void onInward();
  void onOutward();
  void onLength1();
  void onLength3();
  void onLength5();
  void onLength10();
  void onWidth1();
  void onWidth3();
  void onWidth5();
  void onWidth10();
  void onDetailHigh();
  void onDetailLow();
  void onColourSystem();
  void onRegularColour();
  void onInverseColour();
  void onBackground();
  void onFilter(int index);  // index into the Filters submenu's ten filters
  void onUndoFilters();
  void onOrigin();
  void onShape();
  void onClear();
  void onCreate();
  void onStop();
  void onRandom();
  void onHints();
  void onAbout();
  void onGallery();
  void onHistory();
  void onBack();
  void onForward();

  Dialogs& dialogs_;
  PictureParams params_;  // the one picture record
  RenderState state_;     // the renderer's working state, kept from run to run
  RasterCanvas canvas_;   // the pixels of Pct1
  QImage redo1_;          // undo copy of the canvas
  int16_t stopflag_ = 0;  // -1 a stop was requested, 0 not

  CanvasView* view_ = nullptr;
  OriginForm* originForm_ = nullptr;
  XrayForm* xrayForm_ = nullptr;         // colour-system editor, hidden or shown until exit
  DriedForm* driedForm_ = nullptr;       // shape editor, hidden or shown until exit
  QPointer<ViewDataForm> viewDataForm_;  // the open view-data window; it deletes itself on OK

  QPointer<HintsForm> hintsForm_;   // the open hints window; it deletes itself on Close
  QPointer<AboutForm> aboutForm_;   // the open about window; it deletes itself on OK
  RenderDriver* driver_ = nullptr;  // a child QObject, gone before the members it uses
  QHash<QObject*, QMenu*> menuOf_;  // the menu each action or submenu action sits in

  RunRecorder recorder_;  // what drew the canvas's picture
  // Working values of a picture loaded while a traversal ran; they take over when it ends.
  std::optional<RenderState> pendingState_;
  Run currentRun_ = Run::None;  // the run whose traversal is going on
  Run pendingRun_ = Run::None;  // chosen while a stopped run was still finishing
  bool menusEnabled_ = false;   // the first run enables the menus for good
  bool exitQuestionOpen_ = false;
  bool exiting_ = false;
  std::function<RandomCombination()> randomSource_;
  std::function<void()> beep_;

  ComposedMask filtersSinceDrawn_;       // the filters applied since the last run ended, composed
  LargePictureJob* largeJob_ = nullptr;  // a child, made with the window
  QProgressDialog* largeProgress_ = nullptr;  // a child, made on first use
  QString largeTitle_;  // the command whose picture the worker draws, titling its messages
  // The Explore menu
  QPointer<GalleryForm> galleryForm_;           // the open gallery; it deletes itself when closed
  std::optional<RandomCombination> givenDraw_;  // a gallery pick's values for the next Random
  // The seed of each gallery's candidate sequence; from the clock unless a test sets them.
  std::function<uint64_t()> gallerySeeds_;
  HistoryStore history_;                  // the entries on disk
  QThread* historyLister_ = nullptr;      // lists the history folder once, off this thread
  QPointer<HistoryForm> historyForm_;     // the open history window; it deletes itself on close
  std::optional<QString> historyCursor_;  // key of the entry Back and Forward start from
  bool bringBackNext_ = false;            // the next CREATE brings a history entry back
  bool bringingBack_ = false;             // the running traversal brings an entry back
  bool historyWarned_ = false;            // a failed write has been reported once already
};

}  // namespace orbisk
