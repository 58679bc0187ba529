#include "SaveBytes.h"

#include <QFile>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString Reason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// A file descriptor that closes itself.
class FileHandle {
public:
    explicit FileHandle(int fd) : fd(fd) {}
    ~FileHandle() {
        if (fd >= 0) ::close(fd);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int Get() const { return fd; }
    /// Closes now, reporting the error a delayed write may only show here.
    int Close() {
        const int result = ::close(fd);
        fd = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd;
};

// Writes all of bytes at offset; 0 or the error.
int WriteAll(int fd, const char* bytes, size_t size, off_t offset) {
    while (size > 0) {
        const ssize_t written = ::pwrite(fd, bytes, size, offset);
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes += written;
        size -= static_cast<size_t>(written);
        offset += written;
    }
    return 0;
}

// Reads the whole regular file of fd, so a failed write in place can be undone.
bool ReadAll(int fd, off_t size, std::string& contents) {
    contents.resize(static_cast<size_t>(size));
    size_t done = 0;
    while (done < contents.size()) {
        const ssize_t got = ::pread(fd, contents.data() + done, contents.size() - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += static_cast<size_t>(got);
    }
    return true;
}

int WriteInPlace(const std::string& target, const struct stat& old, const QByteArray& bytes) {
    FileHandle file(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
    if (file.Get() < 0) return errno;
    const bool regular = S_ISREG(old.st_mode);
    const auto size = static_cast<off_t>(bytes.size());
    std::string previous;
    if (regular) {
        // Claiming the room first means a full disk fails before one old byte is touched.
        if (size > old.st_size) {
            const int reserved = ::posix_fallocate(file.Get(), old.st_size, size - old.st_size);
            if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL) return reserved;
        }
        FileHandle reader(::open(target.c_str(), O_RDONLY | O_CLOEXEC));
        if (reader.Get() < 0 || !ReadAll(reader.Get(), old.st_size, previous)) return errno ? errno : EIO;
    }
    int error = WriteAll(file.Get(), bytes.constData(), static_cast<size_t>(bytes.size()), 0);
    if (error == 0 && regular && ::ftruncate(file.Get(), size) != 0) error = errno;
    if (error == 0 && ::fsync(file.Get()) != 0 && errno != EINVAL) error = errno;
    if (error != 0 && regular) {
        // Put the old bytes back; they fitted before, so they fit again.
        if (WriteAll(file.Get(), previous.data(), previous.size(), 0) == 0) {
            [[maybe_unused]] const int ignored = ::ftruncate(file.Get(), old.st_size);
        }
        return error;
    }
    if (error != 0) return error;
    return file.Close();
}

// 0, or -1 when the new file cannot take the old one's owner; otherwise the error.
int WriteReplacement(const std::string& target, const struct stat* old, const QByteArray& bytes) {
    const size_t slash = target.rfind('/');
    const std::string directory = slash == std::string::npos ? std::string(".") : target.substr(0, slash);
    std::string temporary = directory + "/.tarvel-save-XXXXXX";
    FileHandle file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.Get() < 0) return errno;
    const auto discard = [&temporary](int error) {
        ::unlink(temporary.c_str());
        return error;
    };
    if (old) {
        struct stat fresh {};
        if (::fstat(file.Get(), &fresh) != 0) return discard(errno);
        if ((fresh.st_uid != old->st_uid || fresh.st_gid != old->st_gid) &&
            ::fchown(file.Get(), old->st_uid, old->st_gid) != 0) {
            return discard(-1);
        }
    }
    // A new file gets what the user's umask allows, as any other program's would.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = old ? (old->st_mode & 07777) : (0666 & ~mask);
    if (::fchmod(file.Get(), mode) != 0) return discard(errno);
    int error = WriteAll(file.Get(), bytes.constData(), static_cast<size_t>(bytes.size()), 0);
    if (error == 0 && ::fsync(file.Get()) != 0) error = errno;
    if (error == 0) error = file.Close();
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
    return error == 0 ? 0 : discard(error);
}

}  // namespace

QString SaveBytes(const QString& path, const QByteArray& bytes) {
    std::string target = QFile::encodeName(path).toStdString();
    // Through a symbolic link the file it points to is saved; the link stays a link.
    if (std::unique_ptr<char, decltype(&std::free)> real(::realpath(target.c_str(), nullptr), &std::free); real) {
        target = real.get();
    }
    struct stat old {};
    if (::stat(target.c_str(), &old) != 0) {
        if (errno != ENOENT) return Reason(errno);
        const int error = WriteReplacement(target, nullptr, bytes);
        return error == 0 ? QString() : Reason(error);
    }
    if (S_ISREG(old.st_mode) && old.st_nlink == 1) {
        const int error = WriteReplacement(target, &old, bytes);
        if (error == 0) return {};
        if (error != -1) return Reason(error);
    }
    const int error = WriteInPlace(target, old, bytes);
    return error == 0 ? QString() : Reason(error);
}
