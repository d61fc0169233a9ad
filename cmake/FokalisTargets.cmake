# Every library and program of the project is made by one of these helpers, so each gets
# the warnings, its folder as its include folder and a Fokalis:: alias the same way.

# fokalis_add_library(NAME SOURCES...): the static library fokalis_NAME, alias
# Fokalis::NAME, whose public include folder is the folder that declares it.
function(fokalis_add_library name)
  add_library(fokalis_${name} STATIC ${ARGN})
  add_library(Fokalis::${name} ALIAS fokalis_${name})
  target_include_directories(fokalis_${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(fokalis_${name} PRIVATE Fokalis::warnings)
endfunction()

# fokalis_add_program(NAME SOURCES...): a program named NAME with the project's warnings.
function(fokalis_add_program name)
  qt_add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE Fokalis::warnings)
endfunction()
