// The mutex contract that the event file's lock relies on, against the stand-in and real Win32.

#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(Mutex, IsReentrantForItsOwnerAndReleasedAsOftenAsTaken) {
    HANDLE mutex = CreateMutexW(nullptr, FALSE, nullptr);
    ASSERT_NE(mutex, nullptr);
    EXPECT_EQ(WaitForSingleObject(mutex, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(mutex, INFINITE), WAIT_OBJECT_0);
    EXPECT_TRUE(ReleaseMutex(mutex));

    DWORD other_wait = 0;
    std::thread([&] { other_wait = WaitForSingleObject(mutex, 0); }).join();
    EXPECT_EQ(other_wait, WAIT_TIMEOUT) << "still held once";

    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_FALSE(ReleaseMutex(mutex)) << "not held any more";
    std::thread([&] {
        other_wait = WaitForSingleObject(mutex, 0);
        ReleaseMutex(mutex);
    }).join();
    EXPECT_EQ(other_wait, WAIT_OBJECT_0);
    CloseHandle(mutex);
}

TEST(Mutex, AnOwnerThreadThatEndsAbandonsItToTheNextWaiter) {
    HANDLE mutex = CreateMutexW(nullptr, FALSE, nullptr);
    ASSERT_NE(mutex, nullptr);
    std::thread([&] { WaitForSingleObject(mutex, INFINITE); }).join();
    EXPECT_EQ(WaitForSingleObject(mutex, INFINITE), WAIT_ABANDONED);
    EXPECT_TRUE(ReleaseMutex(mutex)) << "the abandoned mutex is owned by the waiter";
    EXPECT_EQ(WaitForSingleObject(mutex, INFINITE), WAIT_OBJECT_0);
    EXPECT_TRUE(ReleaseMutex(mutex));
    CloseHandle(mutex);
}

} // namespace
