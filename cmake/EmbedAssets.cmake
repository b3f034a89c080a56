# Turns each binary file in assets/embed/ into a C++ source holding its bytes, so the program
# carries its pictures inside itself and never reads them from disk at run time.
file(GLOB QUILL_ASSET_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/embed/*)
set(QUILL_ASSET_SOURCES "")
set(QUILL_ASSET_INCLUDE_DIR ${CMAKE_BINARY_DIR}/generated)
foreach(asset ${QUILL_ASSET_FILES})
  get_filename_component(name ${asset} NAME)
  string(MAKE_C_IDENTIFIER ${name} ident)
  set(out ${CMAKE_BINARY_DIR}/generated/assets/${ident}.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DIN=${asset} -DOUT=${out} -DIDENT=${ident} -P ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
    DEPENDS ${asset} ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
    VERBATIM)
  list(APPEND QUILL_ASSET_SOURCES ${out})
endforeach()
