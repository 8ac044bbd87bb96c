# make_test_video FILE SIZE [SEED]: a playable video for the scripts that run
# our programs on videos (tests/tools/kill_points.sh, bench/videos.sh,
# scripts/cross-check.sh), the same bytes as the tests' VideoFile.
add_executable(make_test_video ${CMAKE_CURRENT_LIST_DIR}/make_test_video.cpp
                               ${CMAKE_CURRENT_LIST_DIR}/../support/video_file.cpp)
target_include_directories(make_test_video PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(make_test_video PRIVATE addsongs_warnings)
