#include "gui/SingleViewer.h"

#include <QElapsedTimer>
#include <QLocalSocket>
#include <QThread>

namespace mv::gui {
namespace {

// The request itself; nothing else is ever sent.
constexpr char Request = '!';

// In the abstract namespace the name is no file, so a viewer that crashed leaves nothing
// behind that a later one would have to remove.
constexpr auto ServerOptions = QLocalServer::AbstractNamespaceOption;
constexpr auto SocketOptions = QLocalSocket::AbstractNamespaceOption;

// How long a second start waits for a first one that has the lock but does not listen yet.
constexpr int PatienceMs = 3000;

} // namespace

bool AskRunningViewerToComeForward(const QString& name) {
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        QLocalSocket socket;
        socket.setSocketOptions(SocketOptions);
        socket.connectToServer(name, QIODevice::WriteOnly);
        if (socket.waitForConnected(500)) {
            socket.write(&Request, 1);
            return socket.waitForBytesWritten(1000);
        }
        if (waited.elapsed() > PatienceMs) {
            return false;
        }
        QThread::msleep(50);
    }
}

ForwardRequests::ForwardRequests(const QString& name, std::function<void()> comeForward)
    : comeForward_(std::move(comeForward)) {
    server_.setSocketOptions(ServerOptions);
    server_.listen(name);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            comeForward_();
        }
    });
}

} // namespace mv::gui
