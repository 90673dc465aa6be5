# One place for warnings and sanitizers; every target links horolux_options.
add_library(horolux_options INTERFACE)
target_compile_options(horolux_options INTERFACE -Wall -Wextra)
if(HOROLUX_WERROR)
    target_compile_options(horolux_options INTERFACE -Werror)
endif()
if(HOROLUX_SANITIZE)
    target_compile_options(horolux_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(horolux_options INTERFACE -fsanitize=address,undefined)
endif()
if(HOROLUX_FUZZ)
    # Coverage for the fuzzer in every library a fuzz target links.
    target_compile_options(horolux_options INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    target_link_options(horolux_options INTERFACE -fsanitize=address,undefined)
endif()
target_compile_definitions(horolux_options INTERFACE
    QT_NO_KEYWORDS QT_NO_CAST_FROM_BYTEARRAY HOROLUX_VERSION="${PROJECT_VERSION}")
