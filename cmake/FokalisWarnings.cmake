# Warnings reach every target of the project through one INTERFACE target, linked by the
# helpers in FokalisTargets.cmake; sanitizers and fuzzer coverage apply to the whole tree.
add_library(fokalis_warnings INTERFACE)
add_library(Fokalis::warnings ALIAS fokalis_warnings)
target_compile_options(fokalis_warnings INTERFACE -Wall -Wextra -Wshadow -Wconversion)
if(FOKALIS_WERROR)
  target_compile_options(fokalis_warnings INTERFACE -Werror)
endif()

if(FOKALIS_SANITIZE)
  set(_fokalis_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC leaves out-of-range float-to-int conversions unchecked unless asked.
    list(APPEND _fokalis_san -fsanitize=float-cast-overflow)
  endif()
  add_compile_options(${_fokalis_san})
  add_link_options(${_fokalis_san})
endif()

if(FOKALIS_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "FOKALIS_FUZZ needs clang (libFuzzer)")
  endif()
  # Coverage for the libraries under test; only the fuzz programs link the fuzzer's main.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
