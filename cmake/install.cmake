# Installing like a desktop program, and the Debian package made by CPack.
# Windows installs its own way (install_windows.cmake).
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/install_windows.cmake)
  return()
endif()
include(GNUInstallDirs)

# The stroke library is the programs' own: it goes into a folder of theirs
# (lib/addsongs), where they find it by their run path.
set(private_libdir ${CMAKE_INSTALL_LIBDIR}/addsongs)
set_target_properties(OruStroke PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
set(installed_programs addsongs-cli)
if(TARGET addsongs)
  list(APPEND installed_programs addsongs)
endif()
foreach(program IN LISTS installed_programs)
  set_target_properties(${program} PROPERTIES INSTALL_RPATH "$ORIGIN/../${private_libdir}")
endforeach()

install(TARGETS ${installed_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS OruStroke LIBRARY DESTINATION ${private_libdir} NAMELINK_SKIP)
if(TARGET addsongs AND NOT WIN32)
  install(FILES ${PROJECT_SOURCE_DIR}/data/addsongs.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/data/addsongs.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${PROJECT_SOURCE_DIR}/data/addsongs-48.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME addsongs.png)
  install(FILES ${PROJECT_SOURCE_DIR}/data/addsongs.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
endif()

set(CPACK_PACKAGE_NAME addsongs)
set(CPACK_PACKAGE_VENDOR "addsongs")
set(CPACK_PACKAGE_CONTACT "addsongs maintainers <maintainers@addsongs.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "adds new songs to a karaoke jukebox by USB disk")
set(CPACK_PACKAGE_DESCRIPTION
    "Writes vod.txt in the jukebox's format (ORU 2.0, Tarvel, Mirel, Dovan) and copies each new song's video onto a USB disk, with a desktop program and a console program.")
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS $<TARGET_FILE_DIR:OruStroke>)
# A Chinese font for the windows; the library dependencies come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk | fonts-wqy-zenhei | fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
