find_package(Qt6 REQUIRED COMPONENTS Test)
kolt_add_test(test_ui_frmProgram SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_frmProgram.cpp LIBS kolt_ui Qt6::Test GUI)
