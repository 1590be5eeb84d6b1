#include "platform/InstanceLock.h"

#include "support/TempFolder.h"

#include <cwctype>
#include <gtest/gtest.h>

namespace mv {
namespace {

TEST(InstanceLock, OneViewerPerProgramFolderUntilItEnds) {
    const test::TempFolder a;
    const test::TempFolder b;
    {
        const InstanceLock first(a.osPath());
        EXPECT_FALSE(first.heldElsewhere());
        EXPECT_TRUE(InstanceLock(a.osPath()).heldElsewhere());
        // Under another spelling of the same folder too.
        EXPECT_TRUE(InstanceLock(a.osPath() / "." / "").heldElsewhere());
        EXPECT_FALSE(InstanceLock(b.osPath()).heldElsewhere());
    }
    EXPECT_FALSE(InstanceLock(a.osPath()).heldElsewhere());
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
