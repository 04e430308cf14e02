#include "support/stubCriticalSection.h"

#include "lockContender.h"
#include "support/uniqueHandle.h"

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
    ASSERT_TRUE(section.lock());
    const uniqueKernelHandle returned(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(static_cast<bool>(returned));
    std::atomic<BOOL> acquired{FALSE};
    std::thread waiter([&] {
        acquired = section.lock(0);
        if (acquired)
            section.unlock();
        SetEvent(returned.get());
    });
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(returned.get(), stillHeldWindowMs))
        << "gave up while the section was held";
    EXPECT_TRUE(section.unlock());
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(returned.get(), generousDeadlineMs));
    waiter.join();
    EXPECT_TRUE(acquired);
}
