#include "io/OffspringChooser.h"

namespace orbisk {

// What the worker of one choice and the window share. The worker writes the result before it
// emits chosen(); the window reads it only after joining the worker.
struct OffspringChooser::Choice {
  std::atomic<bool> cancel{false};  // set to drop the choice
  std::vector<Offspring> chosen;    // the result
};

OffspringChooser::OffspringChooser(QObject* parent) : QObject(parent) {}

OffspringChooser::~OffspringChooser() {
  stop();
}

int OffspringChooser::start(Choosing choosing) {
  stop();
  auto choice = std::make_shared<Choice>();
  choice_ = choice;
  const int number = ++choiceNumber_;
  thread_ = std::thread([this, choice, choosing = std::move(choosing), number] {
    choice->chosen = choosing(&choice->cancel);
    if (!choice->cancel.load()) emit chosen(number);
  });
  return number;
}

void OffspringChooser::stop() {
  if (choice_) choice_->cancel.store(true);
  wait();
}

void OffspringChooser::wait() {
  if (thread_.joinable()) thread_.join();
}

std::vector<Offspring> OffspringChooser::takeChosen() {
  wait();
  if (!choice_) return {};
  return std::move(choice_->chosen);
}

}  // namespace orbisk
