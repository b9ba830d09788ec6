# SPDX-License-Identifier: GPL-3.0-or-later
# Places the shipped modules/ files beside the executables of a build: cmake -DSOURCE=<data/modules>
# -DBUILD=<build folder> -P PlaceShippedFiles.cmake. Runs on every build.
#
# The build's modules/ holds only these defaults, like the installed <prefix>/share/zephra-config/modules:
# the file modules.shipped beside it tells a program started from the build folder so, and the program
# keeps the user's settings in the data home ($XDG_DATA_HOME/zephra-config), seeded from here once. A file
# is written only when its content differs from the shipped one, so a build that changes nothing writes
# nothing, and a program reading these files while a build runs never meets a half-written one.
foreach(required SOURCE BUILD)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "PlaceShippedFiles.cmake needs -D${required}=...")
  endif()
endforeach()

file(GLOB_RECURSE shipped LIST_DIRECTORIES true RELATIVE "${SOURCE}" "${SOURCE}/*")
foreach(item IN LISTS shipped)
  if(IS_DIRECTORY "${SOURCE}/${item}")
    file(MAKE_DIRECTORY "${BUILD}/modules/${item}")
  else()
    get_filename_component(folder "${BUILD}/modules/${item}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    file(COPY_FILE "${SOURCE}/${item}" "${BUILD}/modules/${item}" ONLY_IF_DIFFERENT)
  endif()
endforeach()

set(marker "${BUILD}/modules.shipped")
set(text "modules/ beside this file holds the shipped defaults only; the settings are kept in the data home.\n")
if(EXISTS "${marker}")
  file(READ "${marker}" current)
endif()
if(NOT current STREQUAL text)
  file(WRITE "${marker}" "${text}")
endif()
