#include "platform/posix/ForwardChannel.h"

#include "platform/posix/SystemCalls.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <utility>

// A local socket of the system's own: the toolkit's network module would cost every start the
// loading of a dozen libraries for one byte.

namespace mv {
namespace {

// The request and its answer; nothing else is ever sent.
constexpr char Request = '!';
constexpr char CameForward = '+';

// How long a new viewer waits for the name to be let go by one that is ending.
constexpr std::chrono::milliseconds NameWait{1000};
constexpr std::chrono::milliseconds NameRetry{20};

// In the abstract namespace the name is no file, so a viewer that crashed leaves nothing
// behind that a later one would have to remove.
struct Address {
    explicit Address(const std::string& name) {
        address.sun_family = AF_UNIX;
        const std::size_t used = std::min(name.size(), sizeof address.sun_path - 1);
        std::memcpy(address.sun_path + 1, name.data(), used);
        length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + used);
    }
    const sockaddr* get() const { return reinterpret_cast<const sockaddr*>(&address); }

    sockaddr_un address{};
    socklen_t length = 0;
};

class Socket {
public:
    explicit Socket(int fd) : fd_(fd) {}
    ~Socket() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

bool OfThisUser(int fd) {
    uid_t user = 0;
    return Calls().peerUser(fd, user) && user == ::geteuid();
}

bool AnswerCame(int fd, std::chrono::milliseconds wait) {
    pollfd ready{fd, POLLIN, 0};
    int n;
    while ((n = ::poll(&ready, 1, static_cast<int>(wait.count()))) < 0 && errno == EINTR) {
    }
    char answer = 0;
    return n == 1 && ::recv(fd, &answer, 1, 0) == 1 && answer == CameForward;
}

} // namespace

bool AskToComeForward(const std::string& name, std::chrono::milliseconds answerWait) {
    const Address address(name);
    // Non-blocking: a listener whose queue is full does not take the request.
    const Socket s(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    // The request is not sent to a listener of another user, who may have taken the name.
    if (s.get() < 0 || ::connect(s.get(), address.get(), address.length) != 0 ||
        !OfThisUser(s.get())) {
        return false;
    }
    // The connection is the request: the viewer may answer and close before the byte arrives,
    // which must neither end this process with a signal nor lose the answer.
    (void)::send(s.get(), &Request, 1, MSG_NOSIGNAL);
    return AnswerCame(s.get(), answerWait);
}

ForwardListener::ForwardListener(const std::string& name) {
    const Address address(name);
    Socket s(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (s.get() < 0) {
        return;
    }
    // A viewer that ended as this one took the lock may hold the name a moment longer.
    const auto giveUp = std::chrono::steady_clock::now() + NameWait;
    while (::bind(s.get(), address.get(), address.length) != 0) {
        if (errno != EADDRINUSE || std::chrono::steady_clock::now() > giveUp) {
            return;
        }
        std::this_thread::sleep_for(NameRetry);
    }
    if (::listen(s.get(), 8) == 0) {
        fd_ = s.release();
    }
}

ForwardListener::~ForwardListener() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void ForwardListener::TakeRequests(const std::function<void()>& comeForward) {
    if (fd_ < 0) {
        return;
    }
    for (int c; (c = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0;) {
        const Socket client(c);
        if (OfThisUser(client.get())) {
            comeForward();
            // The requester may have given up and gone, which must not end this process.
            (void)::send(client.get(), &CameForward, 1, MSG_NOSIGNAL);
        }
    }
}

} // namespace mv
