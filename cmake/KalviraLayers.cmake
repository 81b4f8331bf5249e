# Layers of the program: each library shows users only its own folder, and a library may be told
# which includes it must never contain. Both are enforced when the library is built.

# Makes the headers of the calling folder (or of SOURCE_DIR, when given) includable as
# "FOLDER/header.h" by the library's users and by nothing else: the include path holds a link to
# this one folder only.
function(kalvira_expose_headers target folder scope)
    set(source ${CMAKE_CURRENT_SOURCE_DIR})
    if(ARGC GREATER 3)
        set(source ${ARGV3})
    endif()
    set(root ${CMAKE_BINARY_DIR}/layers/${target})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${source} ${root}/${folder} SYMBOLIC)
    target_include_directories(${target} ${scope} ${root})
endfunction()

# Fails the library's build when one of its sources includes a header matching one of the
# regular expressions, e.g. Qt Widgets in a layer that must stay usable without a window.
function(kalvira_forbid_includes target)
    get_target_property(sources ${target} SOURCES)
    list(TRANSFORM sources PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}_layer.stamp)
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} "-DSOURCES=${sources}" "-DFORBIDDEN=${ARGN}" "-DSTAMP=${stamp}"
                -P ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake
        DEPENDS ${sources} ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake
        COMMENT "Checking the includes of ${target}" VERBATIM)
    add_custom_target(${target}_layer_check DEPENDS ${stamp})
    add_dependencies(${target} ${target}_layer_check)
endfunction()
