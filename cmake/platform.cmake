# plv_platform carries what every target of ours needs: the warnings, and Win32 — the real SDK
# under MinGW, the stand-in of testing/ natively.
add_library(plv_platform INTERFACE)
target_link_libraries(plv_platform INTERFACE plv_warnings)

if(WIN32)
    target_compile_definitions(plv_platform INTERFACE
        UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
    target_link_libraries(plv_platform INTERFACE shlwapi psapi user32 kernel32)
    # The product depends on nothing but Windows and the host: no C++ runtime DLL beside it.
    add_link_options(-static -static-libgcc -static-libstdc++)
else()
    target_link_libraries(plv_platform INTERFACE win32_standin)
    if(PLV_FUZZ)
        # Coverage for every object; only the fuzz targets link the fuzzer's main.
        add_compile_options(-fsanitize=fuzzer-no-link)
    endif()
    if(PLV_SANITIZE)
        add_compile_options(-fsanitize=${PLV_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
        add_link_options(-fsanitize=${PLV_SANITIZE})
    endif()
endif()
