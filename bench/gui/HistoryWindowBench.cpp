// Opening the history window on 1000 entries: listing, laying out and painting what shows,
// with thumbnails read only for the entries in view. And what the end of a run does with the
// history when it holds 100,000 entries: the first listing of the folder, then, run after run,
// the check against the newest entry, the new entry and the open window's update. Runs on Qt's
// offscreen platform.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "io/HistoryStore.h"
#include "ui/QtDialogs.h"
#include "ui/explore/HistoryForm.h"

namespace orbisk {
namespace {

constexpr int kEntries = 1000;

void HistoryWindowOpen(benchmark::State& bench) {
  QTemporaryDir folder;
  HistoryStore store(folder.path());
  QImage thumbnail(158, 109, QImage::Format_RGB32);
  const QDateTime start = QDateTime::currentDateTimeUtc();
  for (int i = 0; i < kEntries; ++i) {
    thumbnail.fill(qRgb(i % 256, (i * 7) % 256, (i * 13) % 256));
    store.add(QString("entry %1").arg(i), thumbnail, start.addSecs(i));
  }
  QtDialogs dialogs;  // never asked: nothing is deleted
  int read = 0;
  for (auto _ : bench) {
    auto* form = new HistoryForm(store, dialogs);
    form->show();
    QApplication::processEvents();  // layout and the first paint
    read = form->thumbnailsRead();
    delete form;
  }
  bench.counters["entries"] = kEntries;
  bench.counters["thumbnails read"] = read;
}

BENCHMARK(HistoryWindowOpen)->Unit(benchmark::kMillisecond)->UseRealTime();

constexpr int kLongHistory = 100'000;

// A folder of kLongHistory starred entries (empty files: only their names are listed), so that
// pruning keeps them all.
void fillLongHistory(const QString& folder) {
  const qint64 start = 1'700'000'000'000;
  for (int i = 0; i < kLongHistory; ++i) {
    const QString path = folder + '/' + HistoryStore::fileNameOf(start + i, i, true);
    ::close(::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
  }
}

void HistoryFirstListing(benchmark::State& bench) {
  QTemporaryDir folder;
  fillLongHistory(folder.path());
  std::size_t listed = 0;
  for (auto _ : bench) listed = HistoryStore(folder.path()).entries().size();
  bench.counters["entries"] = static_cast<double>(listed);
}

void HistoryRunEnd(benchmark::State& bench) {
  QTemporaryDir folder;
  fillLongHistory(folder.path());
  HistoryStore store(folder.path());
  QImage thumbnail(158, 109, QImage::Format_RGB32);
  thumbnail.fill(qRgb(10, 20, 30));
  store.add("first", thumbnail, QDateTime::currentDateTimeUtc());
  QtDialogs dialogs;  // never asked: nothing is deleted
  auto* form = new HistoryForm(store, dialogs);
  form->show();
  QApplication::processEvents();
  int run = 0;
  for (auto _ : bench) {
    // As HistoryCommands::addEntry does it.
    const std::vector<HistoryStore::Entry> entries = store.entries();
    benchmark::DoNotOptimize(store.record(entries.front()));
    store.add(QString("run %1").arg(++run), thumbnail, entries.front().time.addMSecs(1));
    form->reload();
  }
  bench.counters["entries"] = static_cast<double>(store.entries().size());
  bench.counters["listings"] = store.folderListings();
  delete form;
}

BENCHMARK(HistoryFirstListing)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(HistoryRunEnd)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(50);

}  // namespace
}  // namespace orbisk

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
