#include "gui/SingleViewer.h"

#include <QElapsedTimer>
#include <QThread>
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// A local socket of the system's own: the toolkit's network module would cost every start the
// loading of a dozen libraries for one byte.

namespace mv::gui {
namespace {

// The request itself; nothing else is ever sent.
constexpr char Request = '!';

// How long a second start waits for a first one that has the lock but does not listen yet.
constexpr int PatienceMs = 3000;

// In the abstract namespace the name is no file, so a viewer that crashed leaves nothing
// behind that a later one would have to remove.
struct Address {
    explicit Address(const QString& name) {
        address.sun_family = AF_UNIX;
        const QByteArray bytes = name.toUtf8();
        const std::size_t room = sizeof address.sun_path - 1;
        const std::size_t used = std::min(static_cast<std::size_t>(bytes.size()), room);
        std::memcpy(address.sun_path + 1, bytes.constData(), used);
        length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + used);
    }
    const sockaddr* get() const { return reinterpret_cast<const sockaddr*>(&address); }

    sockaddr_un address{};
    socklen_t length = 0;
};

} // namespace

bool AskRunningViewerToComeForward(const QString& name) {
    const Address address(name);
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd >= 0 && ::connect(fd, address.get(), address.length) == 0) {
            // The connection is the request: the running viewer may take it and close before
            // the byte arrives, which must not end this process with a signal.
            (void)::send(fd, &Request, 1, MSG_NOSIGNAL);
            ::close(fd);
            return true;
        }
        if (fd >= 0) {
            ::close(fd);
        }
        if (waited.elapsed() > PatienceMs) {
            return false;
        }
        QThread::msleep(50);
    }
}

ForwardRequests::ForwardRequests(const QString& name, std::function<void()> comeForward)
    : comeForward_(std::move(comeForward)) {
    const Address address(name);
    listening_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listening_ < 0 || ::bind(listening_, address.get(), address.length) != 0 ||
        ::listen(listening_, 8) != 0) {
        // Without it a second start only finds no one to ask; this viewer works on.
        if (listening_ >= 0) {
            ::close(listening_);
            listening_ = -1;
        }
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(listening_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        for (int c; (c = ::accept4(listening_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
            ::close(c);
            comeForward_();
        }
    });
}

ForwardRequests::~ForwardRequests() {
    notifier_.reset();
    if (listening_ >= 0) {
        ::close(listening_);
    }
}

} // namespace mv::gui
