#include <windows.h>

#include "base/wide_win32.h"
#include "entries/file_system.h"

namespace diduzo {

namespace {

class Win32File : public File {
 public:
  explicit Win32File(HANDLE handle) : handle_(handle) {}
  ~Win32File() override { close(); }

  bool readAll(std::string& out) override {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle_, &size) || size.QuadPart < 0 || size.QuadPart > 0x7FFFFFFFLL) return false;
    out.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < out.size()) {
      DWORD got = 0;
      const DWORD want = static_cast<DWORD>(out.size() - done);
      if (!ReadFile(handle_, out.data() + done, want, &got, nullptr)) return false;
      if (got == 0) break;  // the file shrank meanwhile
      done += got;
    }
    out.resize(done);
    return true;
  }

  bool writeAll(std::string_view bytes) override {
    if (SetFilePointer(handle_, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return false;
    DWORD written = 0;
    if (!WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) return false;
    if (written != bytes.size()) return false;
    return SetEndOfFile(handle_) != 0;
  }

  bool flush() override { return FlushFileBuffers(handle_) != 0; }

  bool close() override {
    if (handle_ == INVALID_HANDLE_VALUE) return true;
    const bool ok = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE handle_;
};

class Win32FileSystem : public FileSystem {
 public:
  std::unique_ptr<File> open(const Text& path, OpenMode mode) override {
    DWORD access = GENERIC_READ;
    DWORD share = FILE_SHARE_READ;
    DWORD disposition = OPEN_EXISTING;
    switch (mode) {
      case OpenMode::ReadWriteShareRead:
        access = GENERIC_READ | GENERIC_WRITE;
        break;
      case OpenMode::ReadShareRead:
        break;
      case OpenMode::ReadShareReadWrite:
        share = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
      case OpenMode::CreateAlways:
        access = GENERIC_READ | GENERIC_WRITE;
        disposition = CREATE_ALWAYS;
        break;
    }
    HANDLE h = CreateFileW(wide(path).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32File>(h);
  }

  bool exists(const Text& path) override { return GetFileAttributesW(wide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

  bool move(const Text& from, const Text& to) override { return MoveFileW(wide(from).c_str(), wide(to).c_str()) != 0; }

  bool replace(const Text& from, const Text& to) override {
    return MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }

  bool remove(const Text& path) override { return DeleteFileW(wide(path).c_str()) != 0; }
};

}  // namespace

FileSystem& systemFileSystem() {
  static Win32FileSystem files;
  return files;
}

}  // namespace diduzo
