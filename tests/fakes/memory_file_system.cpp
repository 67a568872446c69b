#include "tests/fakes/memory_file_system.h"

namespace diduzo::fakes {

class MemoryFile : public File {
 public:
  MemoryFile(MemoryFileSystem& fs, Text path, bool writable) : fs_(fs), path_(std::move(path)), writable_(writable) {}

  bool readAll(std::string& out) override {
    if (fs_.refuse({FileOp::Read, path_})) return false;
    auto it = fs_.nodes.find(path_);
    if (it == fs_.nodes.end()) return false;
    out = it->second.content;
    return true;
  }

  bool writeAll(std::string_view bytes) override {
    if (!writable_ || fs_.refuse({FileOp::Write, path_})) return false;
    auto it = fs_.nodes.find(path_);
    if (it == fs_.nodes.end()) return false;
    if (!fs_.change()) {
      // The power goes in the middle of the write: a part of it reaches the medium.
      const std::size_t landed = fs_.bytesOfCutWrite < bytes.size() ? fs_.bytesOfCutWrite : bytes.size();
      it->second.content = std::string(bytes.substr(0, landed));
      it->second.durable = it->second.content;
      return false;
    }
    it->second.content = std::string(bytes);
    return true;
  }

  bool flush() override {
    if (fs_.refuse({FileOp::Flush, path_})) return false;
    auto it = fs_.nodes.find(path_);
    if (it == fs_.nodes.end()) return false;
    if (!fs_.change()) return false;
    it->second.durable = it->second.content;
    return true;
  }

  bool close() override {
    if (fs_.refuse({FileOp::Close, path_})) return false;
    return true;
  }

 private:
  MemoryFileSystem& fs_;
  Text path_;
  bool writable_;
};

bool MemoryFileSystem::refuse(const FileCall& call) {
  calls.push_back(call);
  if (powerLost_) return true;
  return failWhen && failWhen(call);
}

bool MemoryFileSystem::change() {
  if (powerLost_) return false;
  if (cutAfter >= 0 && changes_ >= cutAfter) {
    powerLost_ = true;
    return false;
  }
  ++changes_;
  return true;
}

void MemoryFileSystem::restorePower() {
  for (auto& [path, node] : nodes) node.content = node.durable;
  powerLost_ = false;
  cutAfter = -1;
}

bool MemoryFileSystem::hasFile(const Text& path) const {
  auto it = nodes.find(path);
  return it != nodes.end() && !it->second.folder;
}

std::string MemoryFileSystem::contentOf(const Text& path) const {
  auto it = nodes.find(path);
  return it == nodes.end() ? std::string() : it->second.content;
}

std::unique_ptr<File> MemoryFileSystem::open(const Text& path, OpenMode mode) {
  if (refuse({FileOp::Open, path, mode})) return nullptr;
  auto it = nodes.find(path);
  if (mode == OpenMode::CreateAlways) {
    if (it != nodes.end() && it->second.folder) return nullptr;
    if (!change()) return nullptr;
    nodes[path] = Node{};
    return std::make_unique<MemoryFile>(*this, path, true);
  }
  if (it == nodes.end() || it->second.folder) return nullptr;
  return std::make_unique<MemoryFile>(*this, path, mode == OpenMode::ReadWriteShareRead);
}

bool MemoryFileSystem::exists(const Text& path) {
  if (refuse({FileOp::Exists, path})) return false;
  return nodes.count(path) != 0;
}

bool MemoryFileSystem::move(const Text& from, const Text& to) {
  if (refuse({FileOp::Move, from})) return false;
  auto it = nodes.find(from);
  if (it == nodes.end() || nodes.count(to) != 0) return false;
  if (!change()) return false;
  Node node = std::move(it->second);
  nodes.erase(it);
  nodes[to] = std::move(node);
  return true;
}

bool MemoryFileSystem::replace(const Text& from, const Text& to) {
  if (refuse({FileOp::Replace, from})) return false;
  auto it = nodes.find(from);
  if (it == nodes.end() || it->second.folder) return false;
  auto target = nodes.find(to);
  if (target != nodes.end() && target->second.folder) return false;
  if (!change()) return false;
  Node node = std::move(it->second);
  nodes.erase(it);
  nodes[to] = std::move(node);
  return true;
}

bool MemoryFileSystem::remove(const Text& path) {
  if (refuse({FileOp::Remove, path})) return false;
  auto it = nodes.find(path);
  if (it == nodes.end() || it->second.folder) return false;
  if (!change()) return false;
  nodes.erase(it);
  return true;
}

}  // namespace diduzo::fakes
