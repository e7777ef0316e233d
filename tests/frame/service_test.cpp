#include "frame/service.h"

#include <gtest/gtest.h>

#include "frame/host_interfaces.h"

namespace {

// A heap service that counts its destructions, to show when and how often it is freed.
class counted_callback : public main_thread_callback {
public:
    explicit counted_callback(int& deletions) : deletions_(deletions) {}
    ~counted_callback() { ++deletions_; }
    void run() override {}

private:
    int& deletions_;
};

class quiet_handler : public initquit {
public:
    void on_start() override {}
    void on_stop() override {}
};

TEST(ServiceImplSingle, CountingDoesNothingAndTheObjectStays) {
    service_impl_single_t<quiet_handler> handler;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(handler.add_ref(), 1);
        EXPECT_EQ(handler.release(), 1);
    }
    EXPECT_EQ(handler.release(), 1);
}

TEST(ServiceImpl, DeletedExactlyOnceAtTheLastRelease) {
    int deletions = 0;
    auto* callback = new service_impl_t<counted_callback>(deletions);
    EXPECT_EQ(callback->add_ref(), 1);
    EXPECT_EQ(callback->add_ref(), 2);
    EXPECT_EQ(callback->release(), 1);
    EXPECT_EQ(deletions, 0);
    EXPECT_EQ(callback->release(), 0);
    EXPECT_EQ(deletions, 1);
}

TEST(ServiceQuery, OwnClassIdReplacesAndReleasesWhatTheOutPointerHeld) {
    int deletions = 0;
    auto* previous = new service_impl_t<counted_callback>(deletions);
    previous->add_ref();
    auto* callback = new service_impl_t<counted_callback>(deletions);
    callback->add_ref();

    service_base* out = previous;
    ASSERT_TRUE(callback->query(out, main_thread_callback::class_id));
    EXPECT_EQ(out, callback);
    EXPECT_EQ(deletions, 1) << "the previous object lost its only reference";
    EXPECT_EQ(callback->release(), 1) << "query added one reference";
    EXPECT_EQ(callback->release(), 0);
}

TEST(ServiceQuery, OtherClassIdsFailAndLeaveTheOutPointerAlone) {
    int deletions = 0;
    auto* callback = new service_impl_t<counted_callback>(deletions);
    callback->add_ref();
    service_impl_single_t<quiet_handler> handler;
    service_base* out = &handler;
    for (const GUID& other : {initquit::class_id, host_console::class_id}) {
        EXPECT_FALSE(callback->query(out, other));
        EXPECT_EQ(out, &handler);
    }
    EXPECT_EQ(callback->release(), 0);
    EXPECT_EQ(deletions, 1);
}

TEST(ServicePtr, ReleasesItsReferenceOnEveryWayOut) {
    int deletions = 0;
    auto* callback = new service_impl_t<counted_callback>(deletions);
    callback->add_ref();
    try {
        auto held = service_ptr_t<main_thread_callback>::adopt(callback);
        auto copy = held;
        throw 1;
    } catch (int) {}
    EXPECT_EQ(deletions, 1);
}

} // namespace
