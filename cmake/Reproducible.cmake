# Two builds of the same commit, in any folder and at any time, give the same
# bytes: administrators can then check that a program was built from the
# sources it claims, and a signature covers exactly what was tested.

# No link time in the PE header (the checksum then follows the contents only).
add_link_options(-Wl,--no-insert-timestamp)
# Neither the source nor the build folder ends up in a program (__FILE__, debug
# information): paths are written relative to them.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/= -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
# Archives without time stamps, owners or modes, whatever the binutils default.
foreach(lang C CXX)
    set(CMAKE_${lang}_ARCHIVE_CREATE "<CMAKE_AR> qcD <TARGET> <LINK_FLAGS> <OBJECTS>")
    set(CMAKE_${lang}_ARCHIVE_APPEND "<CMAKE_AR> qD <TARGET> <LINK_FLAGS> <OBJECTS>")
    set(CMAKE_${lang}_ARCHIVE_FINISH "<CMAKE_RANLIB> -D <TARGET>")
endforeach()
