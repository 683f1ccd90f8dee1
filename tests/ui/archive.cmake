kolt_add_test(test_ui_vbunzfrm SOURCES archive/test_VBUnzFrm.cpp LIBS kolt_ui kolt_exchange GUI)
