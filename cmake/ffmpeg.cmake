# FFmpeg's libraries (libavformat, libavcodec, libswscale, libswresample, libavutil) for the movie device, in
# both builds, as one INTERFACE target: link `telly_ffmpeg` and include <libavformat/avformat.h> and so on.
#
# host:    Debian's -dev packages, through pkg-config (PkgConfig::TELLY_FFMPEG_PC).
# windows: the same version cross-built from Debian's source package by scripts/build-ffmpeg-windows into
#          TELLY_FFMPEG_PREFIX (${CMAKE_BINARY_DIR}/ffmpeg), once per build tree, by the build step
#          `telly_ffmpeg_build` (part of `all`) that every target linking telly_ffmpeg waits for. The source is
#          fetched by scripts/ensure-packages into build/ffmpeg-source of the checkout.
#          TELLY_FFMPEG_DLLS lists the five DLLs; every executable of the build tree that links telly_ffmpeg
#          (also through a library that links it) gets them copied beside it by a build step it waits for, so
#          it runs in place under Wine: nothing to add for a new one. TELLY_FFMPEG_LICENSES is the folder of
#          licence texts the zip ships.
if(NOT WIN32)
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(TELLY_FFMPEG_PC REQUIRED IMPORTED_TARGET
        libavformat libavcodec libswscale libswresample libavutil)
    add_library(telly_ffmpeg INTERFACE)
    target_link_libraries(telly_ffmpeg INTERFACE PkgConfig::TELLY_FFMPEG_PC)
    return()
endif()

set(TELLY_FFMPEG_SOURCE ${CMAKE_SOURCE_DIR}/build/ffmpeg-source CACHE PATH
    "FFmpeg's Debian source package as scripts/ensure-packages fetches it (origin.txt and src/)")
set(TELLY_FFMPEG_PREFIX ${CMAKE_BINARY_DIR}/ffmpeg)
set(TELLY_FFMPEG_LICENSES ${TELLY_FFMPEG_PREFIX}/licenses)
if(NOT EXISTS ${TELLY_FFMPEG_SOURCE}/origin.txt)
    message(FATAL_ERROR "No FFmpeg source in ${TELLY_FFMPEG_SOURCE}: run scripts/ensure-packages build")
endif()

# The DLLs are named after the libraries' major versions (avcodec-59.dll): read them from the source, so the
# names are known before the build, as the link, the copies and the install rules want.
set(TELLY_FFMPEG_LIBRARIES avformat avcodec swscale swresample avutil) # in link order
set(TELLY_FFMPEG_DLLS)
set(TELLY_FFMPEG_IMPORT_LIBS)
foreach(lib ${TELLY_FFMPEG_LIBRARIES})
    string(TOUPPER ${lib} upper)
    set(major)
    foreach(header version_major.h version.h)
        set(path ${TELLY_FFMPEG_SOURCE}/src/lib${lib}/${header})
        if(NOT major AND EXISTS ${path})
            file(STRINGS ${path} line REGEX "^#define LIB${upper}_VERSION_MAJOR +[0-9]+")
            string(REGEX MATCH "[0-9]+$" major "${line}")
        endif()
    endforeach()
    if(NOT major)
        message(FATAL_ERROR "No major version of lib${lib} in ${TELLY_FFMPEG_SOURCE}/src")
    endif()
    list(APPEND TELLY_FFMPEG_DLLS ${TELLY_FFMPEG_PREFIX}/bin/${lib}-${major}.dll)
    list(APPEND TELLY_FFMPEG_IMPORT_LIBS ${TELLY_FFMPEG_PREFIX}/lib/lib${lib}.dll.a)
endforeach()

# The script keeps its own cache (a stamp of the source version and the configure line): when it has nothing to
# do it touches nothing, and the link steps behind it stay as they were (Ninja checks the byproducts' times).
set(TELLY_FFMPEG_BUILD_STAMP ${CMAKE_BINARY_DIR}/ffmpeg-build.stamp)
add_custom_command(OUTPUT ${TELLY_FFMPEG_BUILD_STAMP}
    BYPRODUCTS ${TELLY_FFMPEG_DLLS} ${TELLY_FFMPEG_IMPORT_LIBS}
        ${TELLY_FFMPEG_LICENSES}/COPYING.LGPLv2.1.txt ${TELLY_FFMPEG_LICENSES}/FFmpeg.txt
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/build-ffmpeg-windows ${TELLY_FFMPEG_SOURCE} ${TELLY_FFMPEG_PREFIX}
        ${CMAKE_BINARY_DIR}/ffmpeg-build
    COMMAND ${CMAKE_COMMAND} -E touch ${TELLY_FFMPEG_BUILD_STAMP}
    DEPENDS ${CMAKE_SOURCE_DIR}/scripts/build-ffmpeg-windows ${CMAKE_SOURCE_DIR}/scripts/ffmpeg-stack-guard.c
        ${TELLY_FFMPEG_SOURCE}/origin.txt
    COMMENT "FFmpeg's DLLs for Windows (about ten CPU-minutes the first time in a build tree)"
    USES_TERMINAL
    VERBATIM)
add_custom_target(telly_ffmpeg_build ALL DEPENDS ${TELLY_FFMPEG_BUILD_STAMP})

add_library(telly_ffmpeg INTERFACE)
target_include_directories(telly_ffmpeg INTERFACE ${TELLY_FFMPEG_PREFIX}/include)
target_link_libraries(telly_ffmpeg INTERFACE ${TELLY_FFMPEG_IMPORT_LIBS})
add_dependencies(telly_ffmpeg telly_ffmpeg_build)

# Whether `target` links telly_ffmpeg, directly or through the libraries it links.
function(_telly_links_ffmpeg target out)
    set(seen ${ARGN})
    set(found FALSE)
    get_target_property(libs ${target} LINK_LIBRARIES)
    get_target_property(interface_libs ${target} INTERFACE_LINK_LIBRARIES)
    foreach(lib IN LISTS libs interface_libs)
        # Generator expressions such as $<LINK_ONLY:name> wrap a target name.
        string(REGEX REPLACE "^\\$<[A-Z_]+:(.*)>$" "\\1" lib "${lib}")
        if(lib STREQUAL "telly_ffmpeg")
            set(found TRUE)
        elseif(TARGET ${lib} AND NOT lib IN_LIST seen)
            list(APPEND seen ${lib})
            _telly_links_ffmpeg(${lib} sub ${seen})
            if(sub)
                set(found TRUE)
            endif()
        endif()
        if(found)
            break()
        endif()
    endforeach()
    set(${out} ${found} PARENT_SCOPE)
endfunction()

# Run once the whole tree is configured: every executable that links telly_ffmpeg gets the DLLs copied beside it,
# by one copy step per output folder (Ninja refuses two rules for one file) that the executables there wait for.
# Copies are files of the build: a DLL rebuilt or deleted is copied again.
function(_telly_copy_ffmpeg_dlls_beside_executables)
    set(dirs ${CMAKE_SOURCE_DIR})
    set(out_dirs)
    while(dirs)
        list(POP_FRONT dirs dir)
        get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
        list(APPEND dirs ${subdirs})
        get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
        foreach(target ${targets})
            get_target_property(type ${target} TYPE)
            if(NOT type STREQUAL "EXECUTABLE")
                continue()
            endif()
            _telly_links_ffmpeg(${target} links)
            if(NOT links)
                continue()
            endif()
            get_target_property(out_dir ${target} RUNTIME_OUTPUT_DIRECTORY)
            if(NOT out_dir)
                get_target_property(out_dir ${target} BINARY_DIR)
            endif()
            file(RELATIVE_PATH key ${CMAKE_BINARY_DIR} ${out_dir})
            string(MAKE_C_IDENTIFIER "dir_${key}" key)
            if(NOT out_dir IN_LIST out_dirs)
                list(APPEND out_dirs ${out_dir})
                set(copies)
                foreach(dll ${TELLY_FFMPEG_DLLS})
                    get_filename_component(name ${dll} NAME)
                    list(APPEND copies ${out_dir}/${name})
                endforeach()
                add_custom_command(OUTPUT ${copies}
                    COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
                    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${TELLY_FFMPEG_DLLS} ${out_dir}
                    DEPENDS ${TELLY_FFMPEG_BUILD_STAMP} ${TELLY_FFMPEG_DLLS}
                    VERBATIM)
                add_custom_target(ffmpeg_dlls_${key} DEPENDS ${copies})
            endif()
            add_dependencies(${target} ffmpeg_dlls_${key})
        endforeach()
    endwhile()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _telly_copy_ffmpeg_dlls_beside_executables)
