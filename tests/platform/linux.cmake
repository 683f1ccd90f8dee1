# The Linux toolbox: processes, Wine registry and paths, PE versions, file times.
kolt_add_test(test_platform_linux_wintools SOURCES test_linux_wintools.cpp LIBS kolt_platform_linux)
target_include_directories(test_platform_linux_wintools PRIVATE ${CMAKE_CURRENT_LIST_DIR})

# The parsers of untrusted files, built with the address and undefined-behaviour
# sanitizers so that a read outside the data fails the test instead of passing unseen.
set(_kolt_plat_src ${PROJECT_SOURCE_DIR}/src/platform/linux)
kolt_add_test(test_platform_parsers
  SOURCES test_pe_version.cpp test_wine_registry.cpp
          ${_kolt_plat_src}/PeVersion.cpp ${_kolt_plat_src}/WineRegistry.cpp
  LIBS kolt_core
  ENV ASAN_OPTIONS=detect_leaks=0)
target_include_directories(test_platform_parsers PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_compile_options(test_platform_parsers PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_link_options(test_platform_parsers PRIVATE -fsanitize=address,undefined)
