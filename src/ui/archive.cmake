# The archive progress window.
target_sources(kolt_ui PRIVATE VBUnzFrm.cpp VBUnzFrm.h VBUnzFrm.ui)
target_link_libraries(kolt_ui PUBLIC kolt_exchange)
