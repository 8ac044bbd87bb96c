# The forms are tested through the fake views of tests/support.
target_link_libraries(${test_target} PRIVATE addsongs_ui)
