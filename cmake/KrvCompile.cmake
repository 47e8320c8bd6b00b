# Warnings and sanitizers for every target of the project.
add_compile_options(-Wall -Wextra)
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  # The session's locks are annotated: the compiler checks their rules, and
  # our own builds refuse code that breaks them.
  add_compile_options(-Wthread-safety)
  if(KRV_TOP_LEVEL)
    add_compile_options(-Werror=thread-safety)
  endif()
endif()

# Added to a project that sets no build type, the checkout still builds its own
# targets optimised, as its default build does; the project's targets keep
# what the project chose.
if(NOT KRV_TOP_LEVEL AND NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  separate_arguments(krv_optimised UNIX_COMMAND "${CMAKE_CXX_FLAGS_RELWITHDEBINFO}")
  add_compile_options(${krv_optimised})
endif()

if(KRV_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(KRV_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "KRV_FUZZ needs clang (configure with -DCMAKE_CXX_COMPILER=clang++)")
  endif()
  # Coverage for the fuzzers in every library they link.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
