# Compiler warnings shared by every target of the project.
option(VORMELIN_WERROR "Treat compiler warnings as errors" OFF)

add_library(vormelin_warnings INTERFACE)
# Designated initializers leave the remaining fields at their defaults on purpose; g++ 12 would
# warn about every one of them.
if(MSVC)
    target_compile_options(vormelin_warnings INTERFACE /W4 /permissive- /utf-8)
    if(VORMELIN_WERROR)
        target_compile_options(vormelin_warnings INTERFACE /WX)
    endif()
else()
    target_compile_options(vormelin_warnings INTERFACE -Wall -Wextra -Wpedantic
        -Wno-missing-field-initializers)
    # g++ 12 reports overlaps that cannot happen in std::string's inlined copies when it
    # optimises hard (GCC bug 105329); the warning is kept for every other compiler.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
       AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(vormelin_warnings INTERFACE -Wno-restrict)
    endif()
    if(VORMELIN_WERROR)
        target_compile_options(vormelin_warnings INTERFACE -Werror)
    endif()
endif()
