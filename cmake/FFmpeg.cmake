# FFmpeg's libavformat, with the libavcodec and libavutil it stands on, as
# one target for both platforms: ffmpeg::libav (the media probe links it).
#
# Linux, and Windows built natively: the installed FFmpeg, found by
# pkg-config (Debian: libavformat-dev, libavcodec-dev, libavutil-dev).
# The cross build for Windows (the mingw preset): a static, LGPL-only FFmpeg
# of the same version as the installed libavformat-dev, made from Debian's
# source package by scripts/ffmpeg-mingw.sh into ADDSONGS_FFMPEG_PREFIX.
# It is made here, at configure time, once per build folder: its pkg-config
# files must be there before the target can name its static libraries, and
# the script does nothing when its stamp says the prefix is up to date.
# ADDSONGS_FFMPEG_LICENSE names FFmpeg's licence text for the installer.

find_package(PkgConfig QUIET)
if(NOT PKG_CONFIG_FOUND)
  message(FATAL_ERROR "pkg-config not found: it finds FFmpeg's libavformat (Debian: apt-get install pkg-config)")
endif()

if(MINGW AND CMAKE_CROSSCOMPILING AND CMAKE_HOST_UNIX)
  set(ADDSONGS_FFMPEG_PREFIX ${CMAKE_BINARY_DIR}/ffmpeg CACHE PATH
      "Where scripts/ffmpeg-mingw.sh builds FFmpeg for Windows (static)")
  set(ffmpeg_script ${CMAKE_CURRENT_LIST_DIR}/../scripts/ffmpeg-mingw.sh)
  execute_process(COMMAND bash ${ffmpeg_script} ${ADDSONGS_FFMPEG_PREFIX}
                  RESULT_VARIABLE ffmpeg_result)
  # A changed configure line in the script builds FFmpeg again.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ffmpeg_script})
  if(NOT ffmpeg_result EQUAL 0)
    message(FATAL_ERROR "FFmpeg for Windows could not be built (scripts/ffmpeg-mingw.sh)")
  endif()

  # The static libraries and their private dependencies (pkg-config --static:
  # -lbcrypt ...), from the prefix's own pkg-config files only.
  foreach(what cflags libs)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=PKG_CONFIG_PATH --unset=PKG_CONFIG_SYSROOT_DIR
                            PKG_CONFIG_LIBDIR=${ADDSONGS_FFMPEG_PREFIX}/lib/pkgconfig
                            ${PKG_CONFIG_EXECUTABLE} --static --${what} libavformat libavcodec libavutil
                    OUTPUT_VARIABLE ffmpeg_${what} OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE ffmpeg_result)
    if(NOT ffmpeg_result EQUAL 0)
      message(FATAL_ERROR "pkg-config finds no libavformat in ${ADDSONGS_FFMPEG_PREFIX}/lib/pkgconfig")
    endif()
  endforeach()

  separate_arguments(ffmpeg_cflags UNIX_COMMAND "${ffmpeg_cflags}")
  separate_arguments(ffmpeg_libs UNIX_COMMAND "${ffmpeg_libs}")
  set(ffmpeg_includes "")
  set(ffmpeg_options "")
  foreach(flag IN LISTS ffmpeg_cflags)
    if(flag MATCHES "^-I(.+)")
      list(APPEND ffmpeg_includes ${CMAKE_MATCH_1})
    else()
      list(APPEND ffmpeg_options ${flag})
    endif()
  endforeach()
  # FFmpeg's own libraries by their full paths, so that a rebuild of them
  # relinks the programs; the system's by name.
  set(ffmpeg_link "")
  foreach(flag IN LISTS ffmpeg_libs)
    if(flag MATCHES "^-l(.+)")
      if(EXISTS ${ADDSONGS_FFMPEG_PREFIX}/lib/lib${CMAKE_MATCH_1}.a)
        list(APPEND ffmpeg_link ${ADDSONGS_FFMPEG_PREFIX}/lib/lib${CMAKE_MATCH_1}.a)
      else()
        list(APPEND ffmpeg_link ${CMAKE_MATCH_1})
      endif()
    elseif(NOT flag MATCHES "^-L")
      list(APPEND ffmpeg_link ${flag})
    endif()
  endforeach()

  add_library(ffmpeg::libav INTERFACE IMPORTED)
  set_target_properties(ffmpeg::libav PROPERTIES
                        INTERFACE_INCLUDE_DIRECTORIES "${ffmpeg_includes}"
                        INTERFACE_COMPILE_OPTIONS "${ffmpeg_options}"
                        INTERFACE_LINK_LIBRARIES "${ffmpeg_link}")
  set(ADDSONGS_FFMPEG_LICENSE ${ADDSONGS_FFMPEG_PREFIX}/share/licenses/ffmpeg/COPYING.LGPLv2.1)
  file(STRINGS ${ADDSONGS_FFMPEG_PREFIX}/ffmpeg.stamp ffmpeg_stamp LIMIT_COUNT 1)
  # The stamp's first words: "ffmpeg VERSION: configure ..."
  string(REGEX MATCH "^ffmpeg ([^ ]+): " ffmpeg_stamp "${ffmpeg_stamp}")
  set(ADDSONGS_FFMPEG_VERSION ${CMAKE_MATCH_1})
  message(STATUS "FFmpeg for Windows: ${ADDSONGS_FFMPEG_VERSION}, static, in ${ADDSONGS_FFMPEG_PREFIX}")
else()
  pkg_check_modules(ADDSONGS_LIBAV QUIET IMPORTED_TARGET libavformat libavcodec libavutil)
  if(NOT ADDSONGS_LIBAV_FOUND)
    message(FATAL_ERROR "FFmpeg's libavformat not found by pkg-config: install libavformat-dev, "
                        "libavcodec-dev and libavutil-dev (Debian 12: apt-get install libavformat-dev)")
  endif()
  add_library(ffmpeg::libav INTERFACE IMPORTED)
  target_link_libraries(ffmpeg::libav INTERFACE PkgConfig::ADDSONGS_LIBAV)
  message(STATUS "FFmpeg: libavformat ${ADDSONGS_LIBAV_libavformat_VERSION}")
endif()
