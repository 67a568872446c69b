// An in-memory file system for tests: files and folders by exact name, any operation can be
// made to fail, and "power" can be cut after a chosen number of operations.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "entries/file_system.h"

namespace diduzo::fakes {

enum class FileOp { Open, Read, Write, Flush, Close, Exists, Move, Replace, Remove };

struct FileCall {
  FileOp op;
  Text path;
  OpenMode mode = OpenMode::ReadShareRead;  // for Open
};

class MemoryFileSystem : public FileSystem {
 public:
  struct Node {
    bool folder = false;
    std::string content;  // what a reader sees now
    std::string durable;  // what survives a power cut: the content at the last flush
  };

  // Returns true for a call that must fail. Consulted before every operation.
  std::function<bool(const FileCall&)> failWhen;

  // Cuts the power once this many operations that change the medium (create, write, flush,
  // move, replace, remove) have completed: the next one does not
  // happen (a write lands `bytesOfCutWrite` bytes of itself first, made durable), and every
  // later call fails. Unflushed content is then lost. -1: never.
  long cutAfter = -1;
  std::size_t bytesOfCutWrite = 0;

  std::map<Text, Node> nodes;
  std::vector<FileCall> calls;

  void putFile(const Text& path, std::string content) { nodes[path] = Node{false, content, content}; }
  void putFolder(const Text& path) { nodes[path] = Node{true, {}, {}}; }
  bool hasFile(const Text& path) const;
  std::string contentOf(const Text& path) const;
  bool powerLost() const { return powerLost_; }
  long changesMade() const { return changes_; }
  // After a cut: every node holds what survived, and the system works again (the next start).
  void restorePower();

  std::unique_ptr<File> open(const Text& path, OpenMode mode) override;
  bool exists(const Text& path) override;
  bool move(const Text& from, const Text& to) override;
  bool replace(const Text& from, const Text& to) override;
  bool remove(const Text& path) override;

 private:
  friend class MemoryFile;
  bool refuse(const FileCall& call);
  // Counts one change; false when the power goes now (the change must not happen).
  bool change();

  bool powerLost_ = false;
  long changes_ = 0;
};

}  // namespace diduzo::fakes
