# The command-line tests run the console program.
add_dependencies(${test_target} addsongs-cli)
target_compile_definitions(${test_target} PRIVATE ADDSONGS_CLI="$<TARGET_FILE:addsongs-cli>")
