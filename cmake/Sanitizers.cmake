# AddressSanitizer and UndefinedBehaviorSanitizer for the whole build.
option(VORMELIN_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(VORMELIN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
