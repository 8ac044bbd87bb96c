# Installing on Windows, and the installer made by CPack's NSIS generator
# (makensis, Debian's nsis on the cross build): the programs and the stroke
# library in one folder under Program Files, for every user of the machine,
# a Start-menu shortcut 用户加歌工具 to the desktop program, an uninstaller.
install(TARGETS addsongs-cli RUNTIME DESTINATION .)
if(TARGET addsongs)
  install(TARGETS addsongs RUNTIME DESTINATION .)
endif()
# The import library is for building against the DLL: not installed.
install(TARGETS OruStroke RUNTIME DESTINATION . LIBRARY DESTINATION .
        ARCHIVE DESTINATION lib COMPONENT devel EXCLUDE_FROM_ALL)

set(CPACK_PACKAGE_NAME addsongs)
set(CPACK_PACKAGE_VENDOR "addsongs")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "adds new songs to a karaoke jukebox by USB disk")
set(CPACK_PACKAGE_FILE_NAME "addsongs-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "addsongs")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "addsongs")
set(CPACK_GENERATOR NSIS)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME "用户加歌工具")
set(CPACK_NSIS_PACKAGE_NAME "用户加歌工具")
set(CPACK_PACKAGE_EXECUTABLES addsongs "用户加歌工具")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ".")
set(CPACK_NSIS_INSTALLED_ICON_NAME "addsongs.exe")
set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/src/win32/addsongs.ico")
set(CPACK_NSIS_MUI_UNIICON "${PROJECT_SOURCE_DIR}/src/win32/addsongs.ico")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The script is read as UTF-8; the installer is made Unicode by
# cmake/nsis/nsisconf.nsh, which makensis reads first (make-installer.sh),
# and 64-bit.
set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS "-INPUTCHARSET UTF8")
include(CPack)
