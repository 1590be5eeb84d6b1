# One static library per folder, on its floor: it links the folders below it that it names and
# nothing else, and the build fails when one of its files includes a header of a folder it does
# not name (a header holding only types or inline code would otherwise slip past the linker).
#
#   mv_floor_library(TARGET FOLDER folder [USES lower-target...] SOURCES file...)
#
# A lower target's own lower folders may be included too: they are what it stands on.

set(MV_CHECK_INCLUDES ${CMAKE_CURRENT_LIST_DIR}/CheckIncludes.cmake)

function(mv_floor_library target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "FOLDER" "USES;SOURCES")
    add_library(${target} STATIC ${arg_SOURCES})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${arg_USES} PRIVATE mv_warnings)

    set(allowed ${arg_FOLDER})
    foreach(lower IN LISTS arg_USES)
        get_property(folders GLOBAL PROPERTY MV_FLOOR_FOLDERS_${lower})
        list(APPEND allowed ${folders})
    endforeach()
    list(REMOVE_DUPLICATES allowed)
    set_property(GLOBAL PROPERTY MV_FLOOR_FOLDERS_${target} ${allowed})

    file(GLOB_RECURSE files CONFIGURE_DEPENDS
         ${PROJECT_SOURCE_DIR}/${arg_FOLDER}/*.h ${PROJECT_SOURCE_DIR}/${arg_FOLDER}/*.cpp)
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.floor)
    string(REPLACE ";" "," allowedText "${allowed}")
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR} -DALLOWED=${allowedText}
                -DFOLDER=${arg_FOLDER} -DSTAMP=${stamp} -P ${MV_CHECK_INCLUDES}
        DEPENDS ${files} ${MV_CHECK_INCLUDES}
        COMMENT "Checking that ${arg_FOLDER}/ includes only what lies below it"
        VERBATIM)
    add_custom_target(${target}_floor DEPENDS ${stamp})
    add_dependencies(${target} ${target}_floor)
endfunction()
