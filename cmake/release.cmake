# The release of the product DLL: its debug information moved into a file of its own beside the
# build, and a ZIP archive made by CPack that holds what a user installs.

# The DLL in the build is the one that ships: stripped, with a debug link naming the file that keeps
# its symbols, so that a crash address from a user's machine can still be read against this build.
find_program(PLV_OBJCOPY NAMES ${CMAKE_OBJCOPY} ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-objcopy objcopy REQUIRED)
add_custom_command(TARGET plv_duskward POST_BUILD
    COMMAND ${PLV_OBJCOPY} --only-keep-debug $<TARGET_FILE_NAME:plv_duskward> $<TARGET_FILE_NAME:plv_duskward>.debug
    COMMAND ${PLV_OBJCOPY} --strip-all --add-gnu-debuglink=$<TARGET_FILE_NAME:plv_duskward>.debug
        $<TARGET_FILE_NAME:plv_duskward>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:plv_duskward>
    VERBATIM)

# install(TARGETS) would add the import library, which a user has no use for.
install(FILES $<TARGET_FILE:plv_duskward> DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/docs/release/README.txt DESTINATION .)
# The event file's Lua reader, for the game's script authors, once it is part of the sources.
if(EXISTS ${PROJECT_SOURCE_DIR}/reader/plvr_reader.lua)
    install(FILES ${PROJECT_SOURCE_DIR}/reader/plvr_reader.lua DESTINATION .)
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(PLV_RELEASE_WIDTH win32)
else()
    set(PLV_RELEASE_WIDTH win64)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-${PLV_RELEASE_WIDTH})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
