# Hot keys and typing against a real X server (Xvfb), pressed with xdotool, typed into
# a window of another process.
if(X11_FOUND AND KOLT_BUILD_GUI)
  add_executable(x11_target x11_target.cpp)
  target_link_libraries(x11_target PRIVATE kolt_options Qt6::Widgets)
  kolt_add_test(test_platform_x11_hotkeys X11
    SOURCES test_x11_hotkeys.cpp
    LIBS kolt_platform_linux kolt_platform_x11 Qt6::Widgets PkgConfig::X11
    TIMEOUT 120)
  target_compile_definitions(test_platform_x11_hotkeys PRIVATE X11_TARGET="$<TARGET_FILE:x11_target>")
  add_dependencies(test_platform_x11_hotkeys x11_target)
endif()
