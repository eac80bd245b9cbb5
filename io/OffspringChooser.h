// Chooses the pictures of an Explore window on a worker thread: variations of a picture or
// children of two, each looked at quickly before it is offered.
#pragma once

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "render/random/Offspring.h"

namespace orbisk {

// One choice at a time; starting another or stopping drops the current one at once (its worker
// notices before its next column), and the call returns only when the worker has ended.
class OffspringChooser : public QObject {
  Q_OBJECT

 public:
  // The work of one choice: variations or children, stopped when the flag is set. It runs on the
  // worker, so it holds copies of everything it reads.
  using Choosing = std::function<std::vector<Offspring>(const std::atomic<bool>* cancel)>;

  explicit OffspringChooser(QObject* parent = nullptr);
  ~OffspringChooser() override;  // stops and waits, so the worker never outlives its owner

  // Drops the current choice and starts this one. Returns its number, which chosen() carries.
  int start(Choosing choosing);
  // Drops the current choice and waits until the worker has ended.
  void stop();
  // Waits until the current choice is made or was dropped.
  void wait();

  // After chosen(): the pictures offered, in the order of their tries.
  std::vector<Offspring> takeChosen();

 signals:
  void chosen(int choice);

 private:
  struct Choice;

  int choiceNumber_ = 0;            // number of the current choice
  std::shared_ptr<Choice> choice_;  // the current choice, shared with its worker
  std::thread thread_;              // its worker, joined before the next
};

}  // namespace orbisk
