# The shipped programs run from CDs, shares and download folders where anyone
# may have put a DLL. The loader resolves static imports, and the imports of
# those DLLs, before main() can restrict the search; so every system DLL that
# is not needed before main() is linked for loading on first use instead.
find_program(MINGW_NM NAMES ${TOOLCHAIN_PREFIX}-nm REQUIRED)
find_program(MINGW_DLLTOOL NAMES ${TOOLCHAIN_PREFIX}-dlltool REQUIRED)

function(delay_import_libraries out_var)
    set(libraries)
    foreach(dll ${ARGN})
        set(import_lib /usr/${TOOLCHAIN_PREFIX}/lib/lib${dll}.a)
        set(def ${CMAKE_BINARY_DIR}/delayload/${dll}.def)
        set(lib ${CMAKE_BINARY_DIR}/delayload/lib${dll}_delayed.a)
        add_custom_command(OUTPUT ${lib}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delayload
            COMMAND sh ${CMAKE_SOURCE_DIR}/cmake/make-delay-import-lib.sh
                    ${MINGW_NM} ${MINGW_DLLTOOL} ${import_lib} ${dll}.dll ${def} ${lib}
            DEPENDS ${import_lib} ${CMAKE_SOURCE_DIR}/cmake/make-delay-import-lib.sh
            VERBATIM)
        list(APPEND libraries ${lib})
    endforeach()
    add_custom_target(delay_import_libraries DEPENDS ${libraries})
    set(${out_var} ${libraries} PARENT_SCOPE)
endfunction()
