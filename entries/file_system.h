// The seam through which settings files are read and written: Win32 files in the program, an
// in-memory fake (that can fail any operation) in the tests.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "base/text.h"

namespace diduzo {

enum class OpenMode {
  ReadWriteShareRead,  // open an existing file for reading and writing, others may read
  ReadShareRead,       // open an existing file for reading, others may read
  ReadShareReadWrite,  // open an existing file for reading, others may read and write
  CreateAlways,        // create for reading and writing, replacing any file of that name
};

class File {
 public:
  virtual ~File() = default;
  // The whole content.
  virtual bool readAll(std::string& out) = 0;
  // Writes the bytes from the start of the file in one write and cuts the file off after them.
  virtual bool writeAll(std::string_view bytes) = 0;
  // Puts what was written onto the medium.
  virtual bool flush() = 0;
  virtual bool close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual std::unique_ptr<File> open(const Text& path, OpenMode mode) = 0;
  // True when the name names anything, a file or a folder.
  virtual bool exists(const Text& path) = 0;
  // Renames; fails when the target exists.
  virtual bool move(const Text& from, const Text& to) = 0;
  // Renames over an existing target in one step, put onto the medium before it returns.
  virtual bool replace(const Text& from, const Text& to) = 0;
  virtual bool remove(const Text& path) = 0;
};

// The program's real files (Windows builds only).
FileSystem& systemFileSystem();

}  // namespace diduzo
