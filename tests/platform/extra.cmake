# The platform tests reach the Env directly and write GBK names.
target_link_libraries(${test_target} PRIVATE addsongs_platform addsongs_gbk)
