# The about box (offscreen), with a screenshot under the build folder.
kolt_add_test(test_ui_frmAbout SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_frmAbout.cpp LIBS kolt_ui GUI
  ENV "DBUS_SESSION_BUS_ADDRESS=")
