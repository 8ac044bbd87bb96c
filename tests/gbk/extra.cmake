# The codec is checked against ICU's windows-936 converter.
find_package(ICU REQUIRED COMPONENTS uc)
target_link_libraries(${test_target} PRIVATE ICU::uc)
