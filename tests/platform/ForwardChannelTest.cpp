// The request of a later start that the running viewer come to the front: it counts only once
// the viewer has answered, and both ends trust only a process of their own user.

#include "platform/posix/ForwardChannel.h"

#include "platform/InstanceLock.h"
#include "platform/posix/SystemCalls.h"
#include "support/ParamName.h"
#include "support/TempFolder.h"

#include <cstddef>
#include <cstring>
#include <future>
#include <gtest/gtest.h>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace mv {
namespace {

using namespace std::chrono_literals;

// The viewer's name for a fresh program folder.
class ForwardChannel : public testing::Test {
protected:
    test::TempFolder program;
    const std::string name = InstanceName(program.osPath());
};

sockaddr_un AddressOf(const std::string& name, socklen_t& length) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, name.data(), name.size());
    length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    return address;
}

bool Readable(int fd, int ms) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, ms) == 1;
}

// What a request made by hand, with no check of its own on the listener, gets back: the
// answer byte, or 0 when the connection was closed without one.
class RawRequest {
public:
    explicit RawRequest(const std::string& name) {
        socklen_t length = 0;
        const sockaddr_un address = AddressOf(name, length);
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        connected_ = ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), length) == 0 &&
                     ::send(fd_, "!", 1, MSG_NOSIGNAL) == 1;
    }
    ~RawRequest() { ::close(fd_); }
    RawRequest(const RawRequest&) = delete;
    RawRequest& operator=(const RawRequest&) = delete;

    bool connected() const { return connected_; }
    char Answer() const {
        char answer = 0;
        return Readable(fd_, 2000) && ::recv(fd_, &answer, 1, 0) == 1 ? answer : 0;
    }

private:
    int fd_ = -1;
    bool connected_ = false;
};

// A process under the viewer's name that the later start must not take for a viewer that came
// forward, or (answering as one) a listener of another user. It takes connections in a thread
// of its own, as another process would.
class StandIn {
public:
    enum class Does { NothingBound, NeverAccepts, AcceptsAndCloses, AnswersAsAViewer };

    StandIn(const std::string& name, Does does) {
        if (does == Does::NothingBound) {
            return;
        }
        socklen_t length = 0;
        const sockaddr_un address = AddressOf(name, length);
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (::bind(fd_, reinterpret_cast<const sockaddr*>(&address), length) != 0 ||
            ::listen(fd_, 8) != 0) {
            throw std::runtime_error("the stand-in cannot listen");
        }
        if (does != Does::NeverAccepts) {
            thread_ = std::thread([this, does] { Serve(does); });
        }
    }
    ~StandIn() {
        if (thread_.joinable()) {
            thread_.join();
        }
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

    // Whether the request reached it, once it is done with the connection.
    bool RequestSeen() {
        if (thread_.joinable()) {
            thread_.join();
        }
        return requestSeen_;
    }

private:
    void Serve(Does does) {
        if (!Readable(fd_, 3000)) {
            return;
        }
        const int c = ::accept(fd_, nullptr, nullptr);
        char request = 0;
        if (does == Does::AnswersAsAViewer && Readable(c, 2000) && ::recv(c, &request, 1, 0) == 1) {
            requestSeen_ = request == '!';
            (void)::send(c, "+", 1, MSG_NOSIGNAL);
        }
        ::close(c);
    }

    int fd_ = -1;
    std::thread thread_;
    bool requestSeen_ = false; // written by its thread until joined
};

// Every peer as a process of another user.
SystemCalls PeersOfAnotherUser() {
    SystemCalls calls = RealCalls();
    calls.peerUser = [](int, uid_t& user) {
        user = ::geteuid() + 1;
        return true;
    };
    return calls;
}

TEST_F(ForwardChannel, AViewerOfThisUserAnswersOnceItCameForward) {
    ForwardListener listener(name);
    ASSERT_GE(listener.fd(), 0);
    int cameForward = 0;
    for (int round = 1; round <= 2; ++round) {
        auto asked = std::async(std::launch::async, [&] { return AskToComeForward(name); });
        while (asked.wait_for(0ms) != std::future_status::ready) {
            if (Readable(listener.fd(), 10)) {
                listener.TakeRequests([&] { ++cameForward; });
            }
        }
        EXPECT_TRUE(asked.get());
        EXPECT_EQ(cameForward, round);
    }
}

struct StandInCase {
    const char* name;
    StandIn::Does does;
    bool otherUser; // the listener runs as another user
    bool confirmed; // the start may end: a viewer came forward
};

void PrintTo(const StandInCase& c, std::ostream* os) {
    *os << c.name;
}

class AskingTheListener : public ForwardChannel, public testing::WithParamInterface<StandInCase> {};

// Only an answer from a listener of this user counts: a viewer that is ending may still hold
// its socket, and any user can take the name of a socket in the abstract namespace.
TEST_P(AskingTheListener, ConfirmsOnlyAnAnswerOfThisUser) {
    const StandIn::Does does = GetParam().does;
    StandIn standIn(name, does);
    std::optional<ScopedSystemCalls> otherUser;
    if (GetParam().otherUser) {
        otherUser.emplace(PeersOfAnotherUser());
    }
    EXPECT_EQ(AskToComeForward(name, 300ms), GetParam().confirmed);
    if (does == StandIn::Does::AnswersAsAViewer) {
        // Not even the request goes to another user.
        EXPECT_EQ(standIn.RequestSeen(), !GetParam().otherUser);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ForwardChannel, AskingTheListener,
    testing::Values(
        StandInCase{"NothingListening", StandIn::Does::NothingBound, false, false},
        StandInCase{"ListeningButNeverAccepting", StandIn::Does::NeverAccepts, false, false},
        StandInCase{"ClosingWithoutAnAnswer", StandIn::Does::AcceptsAndCloses, false, false},
        StandInCase{"AnsweringAsThisUser", StandIn::Does::AnswersAsAViewer, false, true},
        StandInCase{"AnsweringAsAnotherUser", StandIn::Does::AnswersAsAViewer, true, false}),
    test::ByName{});

TEST_F(ForwardChannel, ARequestOfAnotherUserIsNeitherTakenNorAnswered) {
    ForwardListener listener(name);
    int cameForward = 0;
    {
        const ScopedSystemCalls otherUser(PeersOfAnotherUser());
        const RawRequest request(name);
        ASSERT_TRUE(request.connected());
        ASSERT_TRUE(Readable(listener.fd(), 2000));
        listener.TakeRequests([&] { ++cameForward; });
        EXPECT_EQ(request.Answer(), 0);
    }
    EXPECT_EQ(cameForward, 0);

    // The same request from this user.
    const RawRequest request(name);
    ASSERT_TRUE(Readable(listener.fd(), 2000));
    listener.TakeRequests([&] { ++cameForward; });
    EXPECT_EQ(request.Answer(), '+');
    EXPECT_EQ(cameForward, 1);
}

// A new viewer takes the name once the one that held it is gone, even when that happens only
// after the lock was let go.
TEST_F(ForwardChannel, ANameStillHeldAMomentIsTakenOnceLetGo) {
    auto holder = std::make_unique<StandIn>(name, StandIn::Does::NeverAccepts);
    auto letGo = std::async(std::launch::async, [&] {
        std::this_thread::sleep_for(200ms);
        holder.reset();
    });
    ForwardListener listener(name);
    letGo.get();
    EXPECT_GE(listener.fd(), 0);
}

} // namespace
} // namespace mv
