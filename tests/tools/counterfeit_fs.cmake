# The counterfeit stick the tests mount (a FUSE file system): built where
# libfuse3 is installed (package libfuse3-dev), never for Windows. The tests
# that need it skip themselves when it is not built.
if(NOT WIN32)
  find_package(PkgConfig QUIET)
  if(PkgConfig_FOUND)
    pkg_check_modules(FUSE3 QUIET IMPORTED_TARGET fuse3)
  endif()
  if(FUSE3_FOUND)
    add_executable(counterfeit_fs ${CMAKE_CURRENT_LIST_DIR}/counterfeit_fs.cpp)
    target_link_libraries(counterfeit_fs PRIVATE PkgConfig::FUSE3 addsongs_warnings)
  else()
    message(STATUS "libfuse3 not found: the counterfeit-stick tests are skipped")
  endif()
endif()
