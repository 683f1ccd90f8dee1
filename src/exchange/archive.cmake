# Archive wrapper: packing and safe unpacking on libarchive.
target_sources(kolt_exchange PRIVATE
  archive/ArchiveCodes.h
  archive/ArchiveLog.h
  archive/ArchiveWrapper.cpp archive/ArchiveWrapper.h
  archive/EntryNames.cpp archive/EntryNames.h
  archive/MemoryArchiveLog.h
  archive/SafeExtractor.cpp archive/SafeExtractor.h
  archive/ZipWriter.cpp archive/ZipWriter.h
)
target_link_libraries(kolt_exchange PUBLIC PkgConfig::LIBARCHIVE)
