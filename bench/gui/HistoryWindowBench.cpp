// Opening the history window on 1000 entries: listing, laying out and painting what shows,
// with thumbnails read only for the entries in view. Runs on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "io/HistoryStore.h"
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
  int read = 0;
  for (auto _ : bench) {
    auto* form = new HistoryForm(store);
    form->show();
    QApplication::processEvents();  // layout and the first paint
    read = form->thumbnailsRead();
    delete form;
  }
  bench.counters["entries"] = kEntries;
  bench.counters["thumbnails read"] = read;
}

BENCHMARK(HistoryWindowOpen)->Unit(benchmark::kMillisecond)->UseRealTime();

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
