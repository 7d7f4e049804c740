// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The local socket between a start and the instance that already runs: the
// Qt side only carries the bytes; what they mean is app/desktop_start.
#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/desktop_start.h"

class QLocalServer;

namespace vm::shell {

// Sends a request to the instance listening at socketPath and returns its
// answer line; nullopt when none listens there (no socket, or one left
// behind by a crash) or it does not answer within timeoutMs.
std::optional<std::string> SendToInstance(const QString& socketPath, std::string_view request,
                                          int timeoutMs = 5000);

class InstanceServer : public QObject {
  Q_OBJECT

 public:
  // answer: runs a complete request and returns the answer line.
  using Answer = std::function<std::string_view(const InstanceRequest&)>;
  explicit InstanceServer(Answer answer, QObject* parent = nullptr);
  ~InstanceServer() override;

  // Listens at socketPath, first removing a socket that a crashed instance
  // left there: only the holder of the instance lock calls this, so no live
  // instance listens there. False when listening fails.
  bool Listen(const QString& socketPath);

 private:
  Answer answer_;
  QLocalServer* server_ = nullptr;
};

}  // namespace vm::shell
