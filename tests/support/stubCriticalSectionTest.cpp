#include "support/stubCriticalSection.h"

#include "lockContender.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

TEST(stubCriticalSection, isRecursiveAndHasNoHandle)
{
    stubCriticalSection section;
    EXPECT_EQ(nullptr, section.getHandle());
    EXPECT_TRUE(section.lock());
    EXPECT_TRUE(section.lock());
    EXPECT_TRUE(section.unlock());
    const lockContender other(section);
    EXPECT_FALSE(other.acquiredWithin(stillHeldWindowMs)) << "held once more by this thread";
    EXPECT_TRUE(section.unlock(1, nullptr)); // the counted release does nothing
    EXPECT_FALSE(other.acquiredWithin(stillHeldWindowMs));
    EXPECT_TRUE(section.unlock());
    EXPECT_TRUE(other.acquiredWithin(generousDeadlineMs));
}

TEST(stubCriticalSection, aZeroTimeOutStillWaitsUntilTheSectionIsFree)
{
    stubCriticalSection section;
    std::atomic<bool> holderReleased{false};
    std::atomic<bool> holding{false};
    std::thread holder([&] {
        section.lock();
        holding = true;
        Sleep(150);
        holderReleased = true;
        section.unlock();
    });
    while (!holding)
        Sleep(1);
    EXPECT_TRUE(section.lock(0));
    EXPECT_TRUE(holderReleased);
    section.unlock();
    holder.join();
}
