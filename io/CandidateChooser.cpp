#include "io/CandidateChooser.h"

namespace orbisk {

// What the worker of one choice and the window share. The worker writes the result before it
// emits chosen(); the window reads it only after joining the worker.
struct CandidateChooser::Choice {
  std::atomic<bool> cancel{false};      // set to drop the choice
  std::vector<ChosenCandidate> chosen;  // the result
  uint64_t looked = 0;                  // candidates looked at
};

CandidateChooser::CandidateChooser(QObject* parent) : QObject(parent) {}

CandidateChooser::~CandidateChooser() {
  stop();
}

int CandidateChooser::start(const PictureOrder& start, uint64_t seed, uint64_t first, int wanted) {
  stop();
  auto choice = std::make_shared<Choice>();
  choice_ = choice;
  const int number = ++choiceNumber_;
  thread_ = std::thread([this, choice, start, seed, first, wanted, number] {
    choice->chosen = chooseCandidates(start, seed, first, wanted, choice->looked, &choice->cancel);
    if (!choice->cancel.load()) emit chosen(number);
  });
  return number;
}

void CandidateChooser::stop() {
  if (choice_) choice_->cancel.store(true);
  wait();
}

void CandidateChooser::wait() {
  if (thread_.joinable()) thread_.join();
}

std::vector<ChosenCandidate> CandidateChooser::takeChosen(uint64_t& looked) {
  wait();
  if (!choice_) return {};
  looked = choice_->looked;
  return std::move(choice_->chosen);
}

}  // namespace orbisk
