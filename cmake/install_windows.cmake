# The Windows installer: CPack's NSIS generator (makensis, Debian's nsis),
# made by scripts/make-installer.sh. It installs per machine under Program
# Files\AddSongs the desktop program, the console program and the stroke
# library beside them, the licences (the program's and FFmpeg's), with a
# Start-menu shortcut 用户加歌工具 and an uninstaller. Included by
# install.cmake when building for Windows.

set(installed_programs addsongs-cli)
if(TARGET addsongs)
  list(APPEND installed_programs addsongs)
endif()
install(TARGETS ${installed_programs} OruStroke RUNTIME DESTINATION .)

set(CPACK_GENERATOR NSIS)
# The installer speaks Chinese (cmake/nsis/NSIS.template.in) and shows the
# licence before it installs anything.
list(PREPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/cmake/nsis)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
# FFmpeg is linked into the programs statically: its licence goes beside
# them as FFmpeg-LGPL.txt, and the licence page names it above the program's.
if(ADDSONGS_FFMPEG_LICENSE)
  install(FILES ${ADDSONGS_FFMPEG_LICENSE} DESTINATION . RENAME FFmpeg-LGPL.txt)
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE program_licence)
  string(REGEX REPLACE "-.*" "" ffmpeg_upstream_version "${ADDSONGS_FFMPEG_VERSION}")
  string(REGEX REPLACE "^[0-9]+:" "" ffmpeg_upstream_version "${ffmpeg_upstream_version}")
  file(WRITE ${PROJECT_BINARY_DIR}/installer-licence.txt
       "This program is free software under the GNU General Public License, version 3\n"
       "or (at your option) any later version; its text follows and is installed as\n"
       "LICENSE.txt.\n\n"
       "The programs contain FFmpeg ${ffmpeg_upstream_version} (libavformat, libavcodec, libavutil),\n"
       "linked in statically, under the GNU Lesser General Public License, version 2.1\n"
       "or (at your option) any later version; its text is installed as FFmpeg-LGPL.txt.\n"
       "FFmpeg's corresponding source is Debian's source package ffmpeg, version\n"
       "${ADDSONGS_FFMPEG_VERSION}; the program's source (scripts/ffmpeg-mingw.sh) names\n"
       "the configuration it was built with.\n\n"
       "${program_licence}")
  set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_BINARY_DIR}/installer-licence.txt)
endif()
set(CPACK_NSIS_PACKAGE_NAME "用户加歌工具")
set(CPACK_NSIS_DISPLAY_NAME "用户加歌工具")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "AddSongs")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "AddSongs")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ".")
set(CPACK_PACKAGE_FILE_NAME "addsongs-${PROJECT_VERSION}-setup")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MODIFY_PATH OFF)
if(TARGET addsongs)
  # The Start-menu shortcut to the desktop program, and its icon in the
  # system's list of installed programs.
  set(CPACK_PACKAGE_EXECUTABLES "addsongs;用户加歌工具")
  set(CPACK_NSIS_INSTALLED_ICON_NAME "addsongs.exe")
  set(CPACK_NSIS_MUI_FINISHPAGE_RUN "addsongs.exe")
endif()
if(EXISTS ${PROJECT_SOURCE_DIR}/src/win32/addsongs.ico)
  set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/src/win32/addsongs.ico)
  set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/src/win32/addsongs.ico)
endif()

# makensis makes a 32-bit ANSI installer unless told otherwise. The programs
# are 64-bit, and in an ANSI installer the Chinese names of the shortcut and
# the program would turn into question marks on a system whose code page is
# not Chinese: a 64-bit Unicode one (which also runs on a Wine without its
# 32-bit part).
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
