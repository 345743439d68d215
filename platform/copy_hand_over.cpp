#include "platform/copy_hand_over.h"

#include <QByteArray>
#include <QLocalServer>
#include <QLocalSocket>
#include <QObject>

#include "platform/single_instance.h"

namespace zeko::platform {

namespace {

// A file name and its end; anything longer is no message of ours.
constexpr qsizetype kMaxMessage = 64 * 1024;
constexpr char kEnd = '\n';

}  // namespace

std::string HandOverSocketPath(const std::string& name) {
    return RuntimeFilePath(name + ".socket");
}

CopyHandOverServer::CopyHandOverServer(const std::string& name, Receiver receiver)
    : server_(std::make_unique<QLocalServer>()), receiver_(std::move(receiver)) {
    const QString path = QString::fromStdString(HandOverSocketPath(name));
    QLocalServer::removeServer(path);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(path)) return;
    QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket,
                             &QLocalSocket::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
                if (socket->bytesAvailable() > kMaxMessage) {
                    socket->abort();
                    return;
                }
                if (!socket->canReadLine()) return;
                QByteArray line = socket->readLine(kMaxMessage);
                line.chop(1);
                socket->disconnectFromServer();
                if (receiver_) receiver_(QString::fromUtf8(line).toStdString());
            });
        }
    });
}

CopyHandOverServer::~CopyHandOverServer() = default;

bool CopyHandOverServer::Listening() const {
    return server_->isListening();
}

bool HandOverToRunningCopy(const std::string& name, const std::string& file, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(HandOverSocketPath(name)));
    if (!socket.waitForConnected(timeoutMs)) return false;
    QByteArray message = QByteArray::fromStdString(file);
    message.append(kEnd);
    socket.write(message);
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    // What was written is read by the running copy after this end closes.
    socket.disconnectFromServer();
    return true;
}

}  // namespace zeko::platform
