#include <gtest/gtest.h>

#include <vector>

#include "frame/entry.h"
#include "frame/module_state.h"
#include "frame/string8.h"

namespace {

// The entry point only keeps what it is given; giving it what it already holds changes nothing
// for the other tests of this program.
component_client& client() {
    return *plavora_get_interface(plv_duskward::current_host_services(), plv_duskward::module_handle());
}

template <class T>
service_ptr_t<T> create(service_factory_base& factory) {
    service_base* out = nullptr;
    factory.create_service(out);
    return service_ptr_t<T>::adopt(static_cast<T*>(out));
}

TEST(ComponentClient, FixedAnswers) {
    EXPECT_EQ(client().interface_version(), 73);
    EXPECT_FALSE(client().client_flag());
}

TEST(ComponentClient, FactoryListRunsPreferencesInitquitVersion) {
    std::vector<const GUID*> ids;
    for (service_factory_base* f = client().get_first_factory(); f != nullptr; f = f->next) ids.push_back(f->class_id);
    ASSERT_EQ(ids.size(), 3u);
    EXPECT_EQ(*ids[0], preferences_page::class_id);
    EXPECT_EQ(*ids[1], initquit::class_id);
    EXPECT_EQ(*ids[2], componentversion::class_id);
}

TEST(ComponentClient, FactoriesHandOutTheSameObjectThatReleasingNeverFrees) {
    for (service_factory_base* f = client().get_first_factory(); f != nullptr; f = f->next) {
        service_base* first = nullptr;
        service_base* second = nullptr;
        f->create_service(first);
        f->create_service(second);
        EXPECT_EQ(first, second);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(first->release(), 1);
        service_base* queried = nullptr;
        EXPECT_TRUE(first->query(queried, *f->class_id)) << "each answers its own interface";
        EXPECT_FALSE(first->query(queried, main_thread_callback::class_id));
    }
}

TEST(ComponentClient, VersionRecordTexts) {
    service_factory_base* f = client().get_first_factory();
    while (f != nullptr && *f->class_id != componentversion::class_id) f = f->next;
    ASSERT_NE(f, nullptr);
    auto version = create<componentversion>(*f);
    wex::string8 text;
    version->component_name(text);
    EXPECT_EQ(text.view(), "Duskward Connection");
    version->component_version(text);
    EXPECT_EQ(text.view(), "1.2");
    version->about_text(text);
    EXPECT_EQ(text.view(), "Connection to the game Duskward: Grey Orchard");

    version->file_name(text);
    EXPECT_EQ(text.view(), "") << "no module path was given yet";
    client().set_module_path("C:\\player\\components", "plv_duskward.dll");
    version->file_name(text);
    EXPECT_EQ(text.view(), "plv_duskward.dll");
}

TEST(ComponentClient, ServicesReadySwitchesTheConsole) {
    bool before = plv_duskward::services_ready();
    client().set_services_ready(true);
    EXPECT_TRUE(plv_duskward::services_ready());
    client().set_services_ready(false);
    EXPECT_FALSE(plv_duskward::services_ready());
    client().set_services_ready(before);
}

} // namespace
