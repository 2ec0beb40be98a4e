# The program's picture scanning (PNG and JPEG decoders, the symbol search over zxing-cpp) for the
# targets built without the program itself: the picture fuzz target and the scan benchmark.
function(qs_add_scan_sources target)
  find_package(ZXing REQUIRED)
  find_package(PNG REQUIRED)
  find_package(JPEG REQUIRED)
  set(sources BarExtent ImageScanner ImageSizeLimit JpegImage PictureLoader PngImage SymbolReader SymbolSearch)
  list(TRANSFORM sources PREPEND ${PROJECT_SOURCE_DIR}/tools/cli/)
  list(TRANSFORM sources APPEND .cpp)
  target_sources(${target} PRIVATE ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/tools)
  target_compile_definitions(${target} PRIVATE ZX_USE_UTF8=1)
  target_link_libraries(${target} PUBLIC ZXing::ZXing PNG::PNG JPEG::JPEG)
endfunction()
