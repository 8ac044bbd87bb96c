# The stroke tests also look the library up by name (dlopen).
target_link_libraries(${test_target} PRIVATE OruStroke ${CMAKE_DL_LIBS})
target_compile_definitions(${test_target} PRIVATE ORUSTROKE_FILE="$<TARGET_FILE:OruStroke>")
