# Delay-load import libraries for mingw-w64. A DLL imported the ordinary way is loaded when the
# process starts, before any of its code runs, and one that is not among the system's KnownDLLs
# is looked for beside the program first: a DLL of that name planted there (a Downloads folder)
# would be loaded. Delay-loaded, it is loaded at its first call, after the program has limited
# the DLL search to the system folder (platform/dll_search_win32.h).
#
# gm_delay_import_libraries(OUT dll...) makes lib<dll>_delay.a for each DLL from the exports
# listed in mingw-w64's import library and sets OUT to the list of them.
function(gm_delay_import_libraries out)
  find_program(GM_DLLTOOL NAMES ${CMAKE_DLLTOOL} x86_64-w64-mingw32-dlltool REQUIRED)
  find_program(GM_NM NAMES ${CMAKE_NM} x86_64-w64-mingw32-nm REQUIRED)
  set(libraries)
  foreach(dll IN LISTS ARGN)
    execute_process(COMMAND ${CMAKE_C_COMPILER} -print-file-name=lib${dll}.a
                    OUTPUT_VARIABLE import OUTPUT_STRIP_TRAILING_WHITESPACE)
    execute_process(COMMAND ${GM_NM} --defined-only ${import} OUTPUT_VARIABLE symbols
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "cannot read the import library of ${dll}.dll (${import})")
    endif()
    string(REGEX MATCHALL " I __imp_[A-Za-z0-9_]+" exports "${symbols}")
    list(TRANSFORM exports REPLACE " I __imp_" "  ")
    list(JOIN exports "\n" exports)
    set(def ${CMAKE_BINARY_DIR}/delay-load/${dll}.def)
    set(library ${CMAKE_BINARY_DIR}/delay-load/lib${dll}_delay.a)
    file(WRITE ${def} "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
    execute_process(COMMAND ${GM_DLLTOOL} --input-def ${def} --output-delaylib ${library}
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "cannot make the delay-load library of ${dll}.dll")
    endif()
    list(APPEND libraries ${library})
  endforeach()
  set(${out} ${libraries} PARENT_SCOPE)
endfunction()
