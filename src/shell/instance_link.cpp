// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/instance_link.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QVariant>

namespace vm::shell {
namespace {

QByteArray Bytes(std::string_view text) {
  return {text.data(), static_cast<qsizetype>(text.size())};
}

}  // namespace

std::optional<std::string> SendToInstance(const QString& socketPath, std::string_view request,
                                          int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(socketPath);
  if (!socket.waitForConnected(timeoutMs)) return std::nullopt;
  socket.write(Bytes(request));
  if (!socket.waitForBytesWritten(timeoutMs)) return std::nullopt;
  QByteArray answer;
  while (!answer.contains('\n')) {
    if (!socket.waitForReadyRead(timeoutMs)) return std::nullopt;
    answer += socket.readAll();
  }
  return answer.toStdString();
}

InstanceServer::InstanceServer(Answer answer, QObject* parent)
    : QObject(parent), answer_(std::move(answer)), server_(new QLocalServer(this)) {
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        // Read what came so far; a whole request is answered once.
        if (socket->state() != QLocalSocket::ConnectedState) return;
        QByteArray received = socket->property("received").toByteArray() + socket->readAll();
        socket->setProperty("received", received);
        InstanceRequest request;
        switch (ParseRequest(
            std::string_view(received.constData(), static_cast<std::size_t>(received.size())),
            request)) {
          case RequestParse::kIncomplete:
            return;
          case RequestParse::kInvalid:
            socket->write(Bytes(kAnswerRefused));
            break;
          case RequestParse::kComplete:
            socket->write(Bytes(answer_(request)));
            break;
        }
        socket->disconnectFromServer();
      });
    }
  });
}

InstanceServer::~InstanceServer() = default;

bool InstanceServer::Listen(const QString& socketPath) {
  // With UserAccessOption Qt makes the socket aside and renames it into place,
  // over a leftover one; without it, the leftover must go first.
  QLocalServer::removeServer(socketPath);
  return server_->listen(socketPath);
}

}  // namespace vm::shell
