# Compiler warnings shared by every target of the project.
option(VORMELIN_WERROR "Treat compiler warnings as errors" OFF)

add_library(vormelin_warnings INTERFACE)
target_compile_options(vormelin_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(VORMELIN_WERROR)
    target_compile_options(vormelin_warnings INTERFACE -Werror)
endif()
