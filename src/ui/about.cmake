# The about box.
target_sources(kolt_ui PRIVATE frmAbout.cpp frmAbout.h)
