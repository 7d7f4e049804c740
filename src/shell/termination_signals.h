// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SIGTERM and SIGINT delivered to the event loop as a signal, through a
// self-pipe, so that they end the program by its normal shutdown.
#include <QObject>

class QSocketNotifier;

namespace vm::shell {

class TerminationSignals : public QObject {
  Q_OBJECT

 public:
  explicit TerminationSignals(QObject* parent = nullptr);
  ~TerminationSignals() override;

 signals:
  void terminationRequested();

 private:
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace vm::shell
