// Chooses a gallery's candidates on a worker thread: the quick looks that tell which random
// candidates are worth rendering in full.
#pragma once

#include <QObject>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "render/random/RandomCandidates.h"

namespace orbisk {

// One choice at a time; starting another or stopping drops the current one at once (its worker
// notices before its next column), and the call returns only when the worker has ended.
class CandidateChooser : public QObject {
  Q_OBJECT

 public:
  explicit CandidateChooser(QObject* parent = nullptr);
  ~CandidateChooser() override;  // stops and waits, so the worker never outlives its owner

  // Drops the current choice and starts choosing wanted candidates of the sequence seed starts,
  // from number first on, drawn on top of start. Returns the choice's number, which chosen()
  // carries.
  int start(const PictureOrder& start, uint64_t seed, uint64_t first, int wanted);
  // Drops the current choice and waits until the worker has ended.
  void stop();
  // Waits until the current choice is made or was dropped.
  void wait();

  // After chosen(): the candidates, in sequence order, and how many were looked at.
  std::vector<ChosenCandidate> takeChosen(uint64_t& looked);

 signals:
  // The choice is made; takeChosen() hands it over.
  void chosen(int choice);

 private:
  struct Choice;

  int choiceNumber_ = 0;            // number of the current choice
  std::shared_ptr<Choice> choice_;  // the current choice, shared with its worker
  std::thread thread_;              // its worker, joined before the next
};

}  // namespace orbisk
