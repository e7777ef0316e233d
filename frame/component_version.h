#pragma once
// The version record that the host shows in its list of components.

#include "frame/factories.h"

class componentversion_impl_simple : public componentversion {
public:
    // The texts must outlive the object; a null text reads as "".
    componentversion_impl_simple(const char* name, const char* version, const char* about)
        : name_(name), version_(version), about_(about) {}

    void file_name(wex::string_base& out) override;
    void component_name(wex::string_base& out) override;
    void component_version(wex::string_base& out) override;
    void about_text(wex::string_base& out) override;

protected:
    ~componentversion_impl_simple() = default;

private:
    const char* name_;
    const char* version_;
    const char* about_;
};

class componentversion_impl_simple_factory final
    : public service_factory_single_transparent_t<componentversion_impl_simple> {
public:
    componentversion_impl_simple_factory(const char* name, const char* version, const char* about)
        : service_factory_single_transparent_t<componentversion_impl_simple>(name, version, about) {}
};
