# The stroke tests call the library as the program does (linked) and also look
# it up by name (dlopen) to prove the function is exported unmangled; they run
# the console program for its "strokes" command.
target_link_libraries(${test_target} PRIVATE OruStroke ${CMAKE_DL_LIBS})
target_compile_definitions(${test_target} PRIVATE
  ORUSTROKE_FILE="$<TARGET_FILE:OruStroke>"
  ADDSONGS_CLI="$<TARGET_FILE:addsongs-cli>")
add_dependencies(${test_target} addsongs-cli)
