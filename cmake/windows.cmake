# The Windows build: the portable layers, the Win32 host and dialogs, tovalin.dll and its Wine
# test harness. Included from the top-level CMakeLists.txt when cross-compiling with mingw-w64.
enable_language(RC)

# The runtime is linked statically so that the DLL needs only system DLLs.
add_link_options(-static -static-libgcc -static-libstdc++)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

# nlohmann/json is header-only: its Debian headers serve the cross build too, without putting the
# host's whole include folder on the path.
set(json_include ${CMAKE_BINARY_DIR}/json-include)
file(MAKE_DIRECTORY ${json_include})
if(NOT EXISTS ${json_include}/nlohmann)
  file(CREATE_LINK /usr/include/nlohmann ${json_include}/nlohmann SYMBOLIC)
endif()
add_library(tovalin_json INTERFACE)
target_include_directories(tovalin_json SYSTEM INTERFACE ${json_include})

tovalin_layer(tovalin_host host)
tovalin_layer(tovalin_host_memory host/memory)
target_link_libraries(tovalin_host_memory PUBLIC tovalin_host PRIVATE tovalin_json)
file(GLOB output_win32_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/output/win32/*.cc)
tovalin_layer(tovalin_output output ${output_win32_sources})
target_link_libraries(tovalin_output PUBLIC tovalin_host)
tovalin_layer(tovalin_common common)
target_link_libraries(tovalin_common PUBLIC tovalin_host)
tovalin_layer(tovalin_engine engine)
target_link_libraries(tovalin_engine PUBLIC tovalin_host tovalin_output tovalin_common)
tovalin_layer(tovalin_dialogs dialogs)
target_link_libraries(tovalin_dialogs PUBLIC tovalin_engine tovalin_common tovalin_host)
tovalin_layer(tovalin_addin addin)
target_link_libraries(tovalin_addin PUBLIC tovalin_host tovalin_common)

tovalin_layer(tovalin_host_win32 host/win32)
target_link_libraries(tovalin_host_win32 PUBLIC tovalin_host tovalin_output
                                         ole32 oleaut32 uuid shlwapi shell32 advapi32 user32)
tovalin_layer(tovalin_dialogs_win32 dialogs/win32)
target_link_libraries(tovalin_dialogs_win32 PUBLIC tovalin_dialogs tovalin_host_win32 user32 gdi32
                                            comctl32)

add_subdirectory(src/addin/win32)
if(TOVALIN_TESTS)
  enable_testing()
  add_subdirectory(tests/win32)
endif()
