# What the scanning and labels components link, found the same way when the library is built and
# when an installed copy is used through find_package(Quillstone).
macro(qs_find_scanning_dependencies)
  find_package(ZXing REQUIRED)
  find_package(PNG REQUIRED)
  # Phones photograph labels as JPEG.
  find_package(JPEG REQUIRED)
endmacro()

macro(qs_find_labels_dependencies)
  find_package(fmt REQUIRED)
  # Label text and sheets: pango lays out Chinese text, cairo draws PNG, SVG and PDF.
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(PANGOCAIRO REQUIRED IMPORTED_TARGET pangocairo cairo-pdf cairo-svg cairo-png)
  # zint ships neither a package config nor a pkg-config file.
  if(NOT TARGET qs_zint)
    find_path(ZINT_INCLUDE_DIR zint.h REQUIRED)
    find_library(ZINT_LIBRARY NAMES zint REQUIRED)
    add_library(qs_zint UNKNOWN IMPORTED)
    set_target_properties(qs_zint PROPERTIES IMPORTED_LOCATION ${ZINT_LIBRARY} INTERFACE_INCLUDE_DIRECTORIES ${ZINT_INCLUDE_DIR})
  endif()
endmacro()

macro(qs_find_service_dependencies)
  # The HTTP service: cpp-httplib (built with OpenSSL) serves, OpenSSL draws and hashes tokens.
  # Debian's cpp-httplib ships a pkg-config file but no CMake package.
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
  find_package(OpenSSL REQUIRED)
  find_package(nlohmann_json REQUIRED)
endmacro()
