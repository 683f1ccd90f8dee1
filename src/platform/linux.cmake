# The Linux toolbox: processes, the Wine prefix (registry, paths), PE version resources.
add_library(kolt_platform_linux STATIC
  linux/LinuxWintools.cpp linux/LinuxWintools.h
  linux/NullHotKeys.cpp
  linux/PeVersion.cpp linux/PeVersion.h
  linux/WinePaths.cpp linux/WinePaths.h
  linux/WineRegistry.cpp linux/WineRegistry.h
  HotKeys.h Wintools.h)
target_link_libraries(kolt_platform_linux PUBLIC kolt_core Qt6::Core)
# CreateHotKeys picks the X11 keys when the build has them (x11.cmake).
if(X11_FOUND)
  target_compile_definitions(kolt_platform_linux PRIVATE KOLT_HAVE_X11)
  target_link_libraries(kolt_platform_linux PUBLIC kolt_platform_x11)
endif()
target_link_libraries(kolt_platform INTERFACE kolt_platform_linux)
