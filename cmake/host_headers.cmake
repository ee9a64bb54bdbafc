# Header-only libraries from the build machine's packages (Debian's nlohmann-json3-dev and
# libcli11-dev), for native and cross builds alike. A cross build cannot put /usr/include on its
# search path, where the host's C library would shadow MinGW's, so it reaches each library's own
# folder through a link in the build tree.
function(vetrix_host_headers target)
  foreach(header IN LISTS ARGN)  # e.g. nlohmann/json.hpp
    string(MAKE_C_IDENTIFIER "VETRIX_HOST_${header}" var)
    find_path(${var} ${header} NO_CMAKE_FIND_ROOT_PATH)
    if(NOT ${var})
      message(FATAL_ERROR "${header} not found; run tools/install-deps.sh")
    endif()
    if(CMAKE_CROSSCOMPILING)
      get_filename_component(folder ${header} DIRECTORY)
      set(links ${CMAKE_BINARY_DIR}/host-headers)
      if(NOT EXISTS ${links}/${folder})
        file(MAKE_DIRECTORY ${links})
        file(CREATE_LINK ${${var}}/${folder} ${links}/${folder} SYMBOLIC)
      endif()
      target_include_directories(${target} SYSTEM PRIVATE ${links})
    else()
      target_include_directories(${target} SYSTEM PRIVATE ${${var}})
    endif()
  endforeach()
endfunction()
