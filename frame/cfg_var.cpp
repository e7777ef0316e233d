#include "frame/cfg_var.h"

namespace {

// Constant-initialised, so they are null before any variable's constructor runs, whatever the
// order in which the module's static objects are built.
constinit cfg_var_reader* reader_head = nullptr;
constinit cfg_var_writer* writer_head = nullptr;

} // namespace

cfg_var_reader::cfg_var_reader(const GUID& id) : var_id(id), next(reader_head) { reader_head = this; }

cfg_var_reader* cfg_var_reader::first_reader() { return reader_head; }

cfg_var_writer::cfg_var_writer(const GUID& id) : var_id(id), next(writer_head) { writer_head = this; }

cfg_var_writer* cfg_var_writer::first_writer() { return writer_head; }
