#include "platform/InstanceLock.h"

#include "support/TempFolder.h"

#include <array>
#include <cwctype>
#include <future>
#include <gtest/gtest.h>

namespace mv {
namespace {

// Whether a viewer starting now finds the folder's lock held. It starts on a thread of its own,
// which on Windows owns nothing of this one's.
bool HeldForALaterStart(const std::filesystem::path& folder) {
    return std::async(std::launch::async, [&] { return InstanceLock(folder).heldElsewhere(); })
        .get();
}

TEST(InstanceLock, OneViewerPerProgramFolderUntilItEnds) {
    const test::TempFolder a;
    const test::TempFolder b;
    {
        const InstanceLock first(a.osPath());
        EXPECT_FALSE(first.heldElsewhere());
        EXPECT_TRUE(HeldForALaterStart(a.osPath()));
        // Under another spelling of the same folder too.
        EXPECT_TRUE(HeldForALaterStart(a.osPath() / "." / ""));
        EXPECT_FALSE(HeldForALaterStart(b.osPath()));
    }
    EXPECT_FALSE(HeldForALaterStart(a.osPath()));
}

// A start that found the lock held takes it once the viewer holding it lets go, and from then
// on holds it against every later start.
TEST(InstanceLock, AStartWaitingForItsTurnTakesTheLockOnceLetGo) {
    const test::TempFolder a;
    InstanceLock first(a.osPath());
    std::promise<void> letGo;
    std::promise<void> triedWhileHeld;
    auto waiting = std::async(std::launch::async, [&] {
        InstanceLock second(a.osPath());
        const bool heldAtStart = second.heldElsewhere();
        const bool takenWhileHeld = second.Take();
        triedWhileHeld.set_value();
        letGo.get_future().wait();
        const bool takenOnceLetGo = second.Take();
        return std::array{heldAtStart, takenWhileHeld, takenOnceLetGo, second.heldElsewhere(),
                          HeldForALaterStart(a.osPath())};
    });
    triedWhileHeld.get_future().wait();
    first.Release();
    letGo.set_value();
    EXPECT_EQ(waiting.get(), (std::array{true, false, true, false, true}));
}

TEST(InstanceName, NamesTheFolderWhateverItsSpelling) {
    const test::TempFolder a;
    const test::TempFolder b;
    const std::string name = InstanceName(a.osPath());
    EXPECT_EQ(name.size(), 26u);
    EXPECT_TRUE(name.starts_with("Q-MvRCV98-")) << name;
    std::filesystem::create_directory(a.osPath() / "sub");
    EXPECT_EQ(InstanceName(a.osPath() / ""), name);
    EXPECT_EQ(InstanceName(a.osPath() / "sub" / ".."), name);
#ifdef _WIN32
    // The file system ignores letter case, so the folder's name does too.
    std::wstring upper = a.osPath().native();
    for (wchar_t& c : upper) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    EXPECT_EQ(InstanceName(upper), name);
#endif
    EXPECT_NE(InstanceName(b.osPath()), name);
}

} // namespace
} // namespace mv
