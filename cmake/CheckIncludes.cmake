# cmake -DROOT=dir -DFOLDER=folder -DALLOWED=a,b,c [-DSTAMP=file] -P CheckIncludes.cmake
#
# Fails, naming each file and include, when a file of ROOT/FOLDER includes a project header of a
# folder outside ALLOWED. A project header is one whose first component is a folder of ROOT;
# system and third-party headers pass.

cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" allowed "${ALLOWED}")
file(GLOB_RECURSE files RELATIVE ${ROOT} ${ROOT}/${FOLDER}/*.h ${ROOT}/${FOLDER}/*.cpp)
set(faults "")
foreach(file IN LISTS files)
    file(STRINGS ${ROOT}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+\"")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" header "${line}")
        string(REGEX MATCH "^[^/]+" top "${header}")
        if(NOT header MATCHES "/" OR NOT IS_DIRECTORY ${ROOT}/${top})
            continue()
        endif()
        if(NOT top IN_LIST allowed)
            string(APPEND faults "  ${file}: \"${header}\"\n")
        endif()
    endforeach()
endforeach()
if(faults)
    message(FATAL_ERROR "${FOLDER}/ may include only ${ALLOWED}; these run back up:\n${faults}")
endif()
if(STAMP)
    file(TOUCH ${STAMP})
endif()
