# Where an installed Fokalis keeps its files, for packaging/ and for the code that finds them
# again at run time (the dictionary choice).
include(GNUInstallDirs)

# The real program lives in a private folder with only a link in bin/. Nothing installs a
# dictionary beside it, so the user's locale chooses one of the installed dictionaries; a
# school or an integrator that puts a fokalis.itl there overrides that choice.
set(FOKALIS_PRIVATE_DIR ${CMAKE_INSTALL_LIBEXECDIR}/fokalis)
set(FOKALIS_DICTIONARY_DIR ${CMAKE_INSTALL_DATADIR}/fokalis/dictionaries)
# The program finds the installed dictionaries from its own resolved folder.
file(RELATIVE_PATH FOKALIS_DICTIONARIES_FROM_PROGRAM ${CMAKE_INSTALL_FULL_LIBEXECDIR}/fokalis
     ${CMAKE_INSTALL_FULL_DATADIR}/fokalis/dictionaries)
# Debian wants the package name here; GNUInstallDirs' DOCDIR would use "Fokalis".
set(FOKALIS_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/fokalis)
