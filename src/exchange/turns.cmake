target_sources(kolt_exchange PRIVATE
  turns/TurnExchange.cpp turns/TurnExchange.h
)
target_link_libraries(kolt_exchange PUBLIC kolt_model kolt_platform)
