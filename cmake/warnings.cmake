# Warnings are errors on every build, native and MinGW alike. Third-party code (GoogleTest built
# from source for MinGW) does not get them: only targets that link plv_warnings do.
add_library(plv_warnings INTERFACE)
target_compile_options(plv_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Werror
    -Wshadow -Woverloaded-virtual -Wcast-align -Wnull-dereference
    -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
