# One interface target that carries the warnings and sanitizer flags for every target of the project.
option(LEXORANT_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(LEXORANT_WERROR "Treat compiler warnings as errors" OFF)

# The warnings alone, for a program that must run without the sanitizers' run-time.
add_library(lexorant_warnings INTERFACE)
target_compile_features(lexorant_warnings INTERFACE cxx_std_20)
target_compile_options(lexorant_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
                                                   -Wold-style-cast -Wnon-virtual-dtor)
# Text is never converted to or from a byte string without saying which encoding.
target_compile_definitions(lexorant_warnings INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
if(LEXORANT_WERROR)
  target_compile_options(lexorant_warnings INTERFACE -Werror)
endif()

add_library(lexorant_options INTERFACE)
target_link_libraries(lexorant_options INTERFACE lexorant_warnings)

if(LEXORANT_SANITIZE)
  target_compile_options(lexorant_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                    -fno-sanitize-recover=undefined)
  target_link_options(lexorant_options INTERFACE -fsanitize=address,undefined)
  target_compile_definitions(lexorant_options INTERFACE LEXORANT_LEAK_CHECK_AT_END)
endif()

# Fuzz targets with libFuzzer: a clang build of its own, every library instrumented for coverage and checked by
# AddressSanitizer and UndefinedBehaviorSanitizer, and only the fuzz targets and what they need built.
option(LEXORANT_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(LEXORANT_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "LEXORANT_FUZZ needs clang++ (CMAKE_CXX_COMPILER=clang++)")
  endif()
  target_compile_options(lexorant_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                                                    -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(lexorant_options INTERFACE -fsanitize=address,undefined)
endif()
