#pragma once
// SIGTERM, SIGINT and SIGHUP (logout, `kill`, Ctrl+C, a service manager)
// as a Qt signal on the UI thread, so that the launcher can close as its
// close box closes it:
//
//   signal --handler: write() one byte--> pipe --QSocketNotifier--> Received()
//
// The handler does nothing else. It is installed for one arrival of each
// signal; a second of the same kind ends the process at once, as without
// the launcher, should closing hang. Signals the process was started to
// ignore (nohup) stay ignored. One object at a time.

#include <QObject>
#include <vector>

class QSocketNotifier;

namespace tarq::ui::qt {

class TerminationSignals final : public QObject {
  Q_OBJECT

 public:
  explicit TerminationSignals(QObject* parent = nullptr);
  ~TerminationSignals() override;  // puts the default handlers back
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

 signals:
  void Received();

 private:
  void Drain();

  std::vector<int> handled_;
  int pipe_[2] = {-1, -1};
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace tarq::ui::qt
