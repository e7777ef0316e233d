#include "frame/component_version.h"

#include "frame/module_state.h"

namespace {

const char* or_empty(const char* text) { return text != nullptr ? text : ""; }

} // namespace

void componentversion_impl_simple::file_name(wex::string_base& out) { out.assign(plv_duskward::module_file_name()); }

void componentversion_impl_simple::component_name(wex::string_base& out) { out.assign(or_empty(name_)); }

void componentversion_impl_simple::component_version(wex::string_base& out) { out.assign(or_empty(version_)); }

void componentversion_impl_simple::about_text(wex::string_base& out) { out.assign(or_empty(about_)); }
