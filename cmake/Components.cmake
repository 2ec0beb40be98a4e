# The library's components above the core: Quillstone::scanning reads barcodes from pictures (PNG,
# JPEG, zxing-cpp) and tells a scan apart as a registered barcode, a supplier's GS1 label or an
# unknown code; Quillstone::labels draws labels (zint, cairo/pango: PNG, SVG, PDF sheets), writes
# ZPL and sends it to a printer. Both link the core. Quillstone::service puts the library on the
# network over HTTP (`quillstone serve`) and keeps the service's bearer tokens; it links all three.
include(${CMAKE_CURRENT_LIST_DIR}/ComponentDependencies.cmake)
qs_find_scanning_dependencies()
qs_find_labels_dependencies()
qs_find_service_dependencies()

function(qs_add_component name alias)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/quillstone/${name}/*.cpp)
  add_library(quillstone_${name} ${sources})
  add_library(Quillstone::${alias} ALIAS quillstone_${name})
  set_target_properties(quillstone_${name} PROPERTIES EXPORT_NAME ${alias})
  target_include_directories(quillstone_${name}
    PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include> $<INSTALL_INTERFACE:include>
    PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(quillstone_${name} PUBLIC quillstone)
endfunction()

qs_add_component(scanning scanning)
target_compile_definitions(quillstone_scanning PRIVATE ZX_USE_UTF8=1)
target_link_libraries(quillstone_scanning PRIVATE ZXing::ZXing PNG::PNG JPEG::JPEG)

qs_add_component(labels labels)
target_link_libraries(quillstone_labels PRIVATE fmt::fmt qs_zint PkgConfig::PANGOCAIRO)

qs_add_component(service service)
target_link_libraries(quillstone_service PUBLIC quillstone_scanning quillstone_labels)
# RecordJson, a public header, speaks nlohmann-json.
target_link_libraries(quillstone_service PUBLIC nlohmann_json::nlohmann_json PRIVATE PkgConfig::HTTPLIB OpenSSL::Crypto)
