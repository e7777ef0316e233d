#pragma once

#include "frame/shared_text.h"

namespace wex {

// `text` with every occurrence of `placeholder` replaced by `value`, found left to right without
// overlap and comparing bytes exactly. The inserted value is never searched, so a value that
// contains the placeholder cannot make the text grow without end. An empty placeholder leaves
// the text as it is.
shared_text replace_all(const shared_text& text, const shared_text& placeholder, const shared_text& value);

} // namespace wex
