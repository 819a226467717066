#include "ui/qt/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace tarq::ui::qt {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

volatile std::sig_atomic_t writeEnd = -1;

void OnSignal(int signal) {
  const int saved = errno;
  const char byte = static_cast<char>(signal);
  [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
  errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
  // Both ends close at exec (the game does not inherit them); a full pipe
  // loses a byte, never blocks the handler.
  if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return;
  writeEnd = pipe_[1];
  notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::Drain);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  for (const int signal : kSignals) {
    // A signal the launcher was started to ignore (nohup) stays ignored.
    struct sigaction before {};
    if (::sigaction(signal, nullptr, &before) != 0 || before.sa_handler == SIG_IGN) continue;
    if (::sigaction(signal, &action, nullptr) == 0) handled_.push_back(signal);
  }
}

TerminationSignals::~TerminationSignals() {
  for (const int signal : handled_) std::signal(signal, SIG_DFL);
  writeEnd = -1;
  delete notifier_;
  for (const int fd : pipe_) {
    if (fd >= 0) ::close(fd);
  }
}

void TerminationSignals::Drain() {
  char bytes[16];
  bool any = false;
  while (::read(pipe_[0], bytes, sizeof bytes) > 0) any = true;
  if (any) emit Received();
}

}  // namespace tarq::ui::qt
