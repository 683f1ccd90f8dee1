# Global hot keys and typing on X11 (XGrabKey, XTest). Without X11 the hot keys are
# absent (CreateHotKeys answers with the do-nothing keys).
if(X11_FOUND)
  add_library(kolt_platform_x11 STATIC x11/X11HotKeys.cpp x11/X11HotKeys.h x11/X11Typist.cpp x11/X11Typist.h)
  target_link_libraries(kolt_platform_x11 PUBLIC kolt_options Qt6::Core PRIVATE PkgConfig::X11)
endif()
