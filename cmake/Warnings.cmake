# Compiler warnings shared by every target of the project.
option(VORMELIN_WERROR "Treat compiler warnings as errors" OFF)

add_library(vormelin_warnings INTERFACE)
# Designated initializers leave the remaining fields at their defaults on purpose; g++ 12 would
# warn about every one of them.
target_compile_options(vormelin_warnings INTERFACE -Wall -Wextra -Wpedantic
    -Wno-missing-field-initializers)
if(VORMELIN_WERROR)
    target_compile_options(vormelin_warnings INTERFACE -Werror)
endif()
