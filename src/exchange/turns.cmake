# Sending and receiving turns: the exchange engine, the receive batch, SENDER.TXT, the
# message texts, safe file replacement, the external unpacker and the Send command's
# grouping.
target_sources(kolt_exchange PRIVATE
  turns/FileReplace.cpp turns/FileReplace.h
  turns/ReceiveEngine.cpp turns/ReceiveEngine.h
  turns/SendSelection.cpp turns/SendSelection.h
  turns/SenderRecord.cpp turns/SenderRecord.h
  turns/ToolUnpacker.cpp turns/ToolUnpacker.h
  turns/TurnExchange.cpp turns/TurnExchange.h
  turns/TurnMessages.cpp turns/TurnMessages.h
  turns/TurnReceiving.cpp
)
target_link_libraries(kolt_exchange PUBLIC kolt_model kolt_platform)
