kolt_add_test(test_archive_exchange SOURCES archive/test_archive_exchange.cpp archive/ArchiveFixture.h
  LIBS kolt_exchange)
kolt_add_test(test_archive_safety SOURCES archive/test_archive_safety.cpp archive/ArchiveFixture.h
  LIBS kolt_exchange)
