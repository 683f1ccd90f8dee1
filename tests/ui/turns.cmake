# The taunt editor (offscreen), with a screenshot.
find_package(Qt6 REQUIRED COMPONENTS Test)
kolt_add_test(test_ui_frmTaunt SOURCES ${CMAKE_CURRENT_LIST_DIR}/turns/test_frmTaunt.cpp LIBS kolt_ui Qt6::Test GUI)
