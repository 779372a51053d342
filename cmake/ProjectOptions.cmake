# Project-wide build policy: strict warnings for our own code, optional sanitizers.

# Off by default so that a newer compiler's new warnings cannot break an admin's build; every
# preset and CI turn it on.
option(QW_WERROR "Treat warnings in our own code as errors" OFF)

function(qw_enable_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${QW_WERROR}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wconversion -Wsign-conversion
                                             -Wshadow -pedantic $<$<BOOL:${QW_WERROR}>:-Werror>)
    # GCC 12 at -O3 (the benchmarks' build) sees an overlap in libstdc++'s own `"text" + string`
    # that cannot happen (its bug 105329), and would fail the build on ordinary code.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12)
      target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
  endif()
endfunction()

if(QW_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# The libFuzzer harnesses want coverage feedback from every library they reach; only the
# harness executables link the fuzzing engine itself (fuzz/CMakeLists.txt).
if(QW_BUILD_FUZZERS)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "QW_BUILD_FUZZERS needs clang (libFuzzer)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
