# nlohmann-json (Debian nlohmann-json3-dev, header-only) for gm900ctl's JSON documents, in the
# native and the mingw-w64 build alike. A cross build may not search the build machine's
# /usr/include as a whole (its C library headers would shadow mingw's), so the one header folder
# is linked into a folder of the build tree and that folder is added.
find_path(GM_NLOHMANN_JSON_ROOT nlohmann/json.hpp NO_CMAKE_FIND_ROOT_PATH REQUIRED
          PATHS /usr/include /usr/local/include)
set(GM_NLOHMANN_JSON_INCLUDE ${CMAKE_BINARY_DIR}/nlohmann-json-include)
if(NOT EXISTS ${GM_NLOHMANN_JSON_INCLUDE}/nlohmann/json.hpp)
  file(MAKE_DIRECTORY ${GM_NLOHMANN_JSON_INCLUDE})
  file(CREATE_LINK ${GM_NLOHMANN_JSON_ROOT}/nlohmann ${GM_NLOHMANN_JSON_INCLUDE}/nlohmann
       SYMBOLIC)
endif()

function(gm_use_nlohmann_json target)
  target_include_directories(${target} SYSTEM PUBLIC ${GM_NLOHMANN_JSON_INCLUDE})
endfunction()
