// The main of every test program: each test runs with a data folder (TINTROW_HOME) of its own,
// so tests running side by side never share a record store.
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class PrivateHome : public ::testing::EmptyTestEventListener {
public:
    PrivateHome() { use(nullptr); }

private:
    void OnTestStart(const ::testing::TestInfo&) override { use(new support::TempDir); }
    void OnTestEnd(const ::testing::TestInfo&) override { use(nullptr); }

    void use(support::TempDir* folder)
    {
        home.reset(folder);
        ::setenv("TINTROW_HOME", (home ? home : suite)->path().c_str(), 1);
    }

    // Suite set-up runs outside any test; it gets a folder of the program's own.
    std::unique_ptr<support::TempDir> suite{new support::TempDir}, home;
};

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::TestEventListeners& listeners = ::testing::UnitTest::GetInstance()->listeners();
    PrivateHome* home = new PrivateHome;
    listeners.Append(home);
    int result = RUN_ALL_TESTS();
    delete listeners.Release(home); // google test never frees its listeners; the folders go here
    return result;
}
