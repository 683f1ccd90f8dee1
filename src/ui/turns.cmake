# The taunt editor, opened by the UI port before a message goes out.
target_sources(kolt_ui PRIVATE frmTaunt.cpp frmTaunt.h frmTaunt.ui)
