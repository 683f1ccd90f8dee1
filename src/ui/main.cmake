# The main window and the game properties dialog.
target_sources(kolt_ui PRIVATE
  frmGame.cpp frmGame.h
  frmMain.cpp frmMain.h frmMain.ui
  BusyGuard.h
  GamesModel.cpp GamesModel.h
  PlainTip.h
)
target_link_libraries(kolt_ui PUBLIC kolt_exchange kolt_programs)
