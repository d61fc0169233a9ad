# Every library and program of the project is made by one of these helpers, so each gets
# the warnings, its folder as its include folder and a Fokalis:: alias the same way.

# fokalis_moc_where_needed(TARGET): moc for TARGET only if one of its files, or a header
# beside one of its sources (the files moc itself looks at), declares Q_OBJECT or Q_GADGET.
# Qt's project set-up turns moc on everywhere, which gives every other target an empty
# generated object and a scan step in every build. No file of the project is a Qt Designer
# form, so uic is off. Giving a target its first Q_OBJECT needs a new configure (make runs
# one whenever a CMakeLists.txt changes).
function(fokalis_moc_where_needed target)
  get_target_property(Sources ${target} SOURCES)
  get_target_property(Folder ${target} SOURCE_DIR)
  set(Needed OFF)
  foreach(Source IN LISTS Sources)
    if(Source MATCHES "\\$<")
      continue()
    endif()
    cmake_path(ABSOLUTE_PATH Source BASE_DIRECTORY ${Folder})
    cmake_path(REPLACE_EXTENSION Source LAST_ONLY .h OUTPUT_VARIABLE Header)
    foreach(File IN ITEMS ${Source} ${Header})
      if(EXISTS ${File})
        file(STRINGS ${File} Declared REGEX "^[ \t]*Q_(OBJECT|GADGET)" LIMIT_COUNT 1)
        if(Declared)
          set(Needed ON)
        endif()
      endif()
    endforeach()
  endforeach()
  set_target_properties(${target} PROPERTIES AUTOMOC ${Needed} AUTOUIC OFF)
endfunction()

# fokalis_add_library(NAME SOURCES...): the static library fokalis_NAME, alias
# Fokalis::NAME, whose public include folder is the folder that declares it.
function(fokalis_add_library name)
  add_library(fokalis_${name} STATIC ${ARGN})
  add_library(Fokalis::${name} ALIAS fokalis_${name})
  target_include_directories(fokalis_${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(fokalis_${name} PRIVATE Fokalis::warnings)
  fokalis_moc_where_needed(fokalis_${name})
endfunction()

# fokalis_add_program(NAME SOURCES...): a program named NAME with the project's warnings.
function(fokalis_add_program name)
  qt_add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE Fokalis::warnings)
  fokalis_moc_where_needed(${name})
endfunction()
