# The installation-folder dialog.
target_sources(kolt_ui PRIVATE frmProgram.cpp frmProgram.h frmProgram.ui)
