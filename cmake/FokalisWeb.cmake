# The web build: the core alone, compiled by emscripten. The composition catches the
# overflow of a single drawing step and goes on, so exceptions must be caught in the
# WebAssembly too (emscripten's default only aborts on a throw). WebAssembly's own
# exceptions, not emscripten's JavaScript ones: those send every call that may throw out
# through a JavaScript wrapper and back, and make the loader a third larger.
if(NOT EMSCRIPTEN)
  message(FATAL_ERROR "FOKALIS_WEB needs emscripten's toolchain: cmake --preset web")
endif()
if(NOT FOKALIS_CORE_ONLY)
  message(FATAL_ERROR "FOKALIS_WEB builds the core alone: set FOKALIS_CORE_ONLY too")
endif()
add_compile_options(-fwasm-exceptions)
add_link_options(-fwasm-exceptions)
