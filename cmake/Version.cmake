# The programs' version resources take the project version (see project() in
# the top CMakeLists.txt) from a generated header; the release script reads it
# from VERSION in the build folder.
foreach(part MAJOR MINOR PATCH TWEAK)
    set(number "${PROJECT_VERSION_${part}}")
    if(number STREQUAL "")
        set(number 0)
    endif()
    # "7.08" must not reach the resource compiler as the octal-looking 08.
    math(EXPR VERSION_${part} "${number}")
endforeach()
set(VERSION_NUMBERS "${VERSION_MAJOR},${VERSION_MINOR},${VERSION_PATCH},${VERSION_TWEAK}")
set(VERSION_FILE_TEXT "${VERSION_MAJOR}.${VERSION_MINOR}.${VERSION_PATCH}.${VERSION_TWEAK}")
set(VERSION_PRODUCT_TEXT "${PROJECT_VERSION}")

set(VERSION_HEADER_DIR ${CMAKE_BINARY_DIR}/version)
configure_file(${CMAKE_SOURCE_DIR}/resources/version.h.in ${VERSION_HEADER_DIR}/version.h @ONLY)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/VERSION CONTENT "${VERSION_PRODUCT_TEXT}\n")
