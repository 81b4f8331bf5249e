# The flags every target of the project is compiled and linked with, held by one INTERFACE target
# that each library, executable, test and benchmark links PRIVATE: the warnings, connects that
# must name a context and must not narrow, and with KALVIRA_SANITIZE the address and undefined
# behaviour sanitizers. Targets that others make (Qt's resource objects) stay as Qt builds them.
add_library(kalvira_warnings INTERFACE)
target_compile_options(kalvira_warnings INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(kalvira_warnings INTERFACE
    QT_NO_CONTEXTLESS_CONNECT QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
if(KALVIRA_SANITIZE)
    target_compile_options(kalvira_warnings INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(kalvira_warnings INTERFACE -fsanitize=address,undefined)
endif()

# Fails the configuration when a target that compiles sources in one of the project's folders
# does not link kalvira_warnings, so a new target cannot lose the warnings unnoticed.
function(kalvira_check_warnings directory)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        get_target_property(imported ${target} IMPORTED)
        if(type MATCHES "^(STATIC|SHARED|MODULE)_LIBRARY$|^EXECUTABLE$" AND NOT imported)
            get_target_property(libraries ${target} LINK_LIBRARIES)
            if(NOT kalvira_warnings IN_LIST libraries)
                message(FATAL_ERROR "${target} (${directory}) does not link kalvira_warnings")
            endif()
        endif()
    endforeach()
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory IN LISTS subdirectories)
        kalvira_check_warnings(${subdirectory})
    endforeach()
endfunction()
