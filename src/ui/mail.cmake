# The mail windows: the SMTP progress window and the settings dialog.
target_sources(kolt_ui PRIVATE
  frmBlat.cpp frmBlat.h
  frmOptions.cpp frmOptions.h frmOptions.ui
)
target_link_libraries(kolt_ui PUBLIC kolt_exchange)
