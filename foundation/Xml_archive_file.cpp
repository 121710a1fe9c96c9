#include "foundation/Xml_archive_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

// Levels full of molecules take a few megabytes.
qint64 const largest_file = qint64(64) << 20;

} // namespace

bool read_file_bytes(std::string const& path, std::string& bytes)
{
    // Only a regular file is opened, and without blocking: a named pipe or a
    // device in a file's place would hold the game in open() or read() for good.
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) return false;
    if (!S_ISREG(info.st_mode)) throw Damaged_archive("not a regular file");
    int const handle = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0) return false;
    QFile file;
    if (::fstat(handle, &info) != 0 || !S_ISREG(info.st_mode) ||
        !file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
    {
        ::close(handle);
        throw Damaged_archive("not a regular file");
    }
    if (file.size() > largest_file) throw Damaged_archive("a file of " + std::to_string(file.size()) + " bytes");
    // In steps: a single read of the largest size would allocate all of it for
    // every file, and the file may grow while it is read.
    bytes.clear();
    std::vector<char> step(std::size_t(1) << 16);
    for (qint64 got; (got = file.read(step.data(), qint64(step.size()))) != 0;)
    {
        if (got < 0) throw Damaged_archive("a file that could not be read");
        bytes.append(step.data(), std::size_t(got));
        if (qint64(bytes.size()) > largest_file) throw Damaged_archive("a file larger than any the game writes");
    }
    return true;
}

namespace
{

std::string directory_of(std::string const& path)
{
    std::string::size_type const slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Some file systems cannot flush a directory; the rename stands all the same.
void flush_directory(std::string const& directory)
{
    int const handle = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (handle < 0) return;
    ::fsync(handle);
    ::close(handle);
}

std::string const saving_suffix = ".saving-";

// A save cut short leaves its unfinished copy behind; the next save of the file
// clears it away.
void remove_unfinished_copies(std::string const& path)
{
    QFileInfo const target(QString::fromLocal8Bit(path.c_str()));
    QString const pattern = target.fileName() + QString::fromStdString(saving_suffix) + "??????";
    QDir const directory = target.absoluteDir();
    for (QString const& unfinished : directory.entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(directory.filePath(unfinished));
}

bool write_all(int handle, std::string const& bytes)
{
    std::size_t written = 0;
    while (written < bytes.size())
    {
        ssize_t const step = ::write(handle, bytes.data() + written, bytes.size() - written);
        if (step < 0 && errno == EINTR) continue;
        if (step <= 0) return false;
        written += std::size_t(step);
    }
    return true;
}

} // namespace

bool write_file_atomically(std::string const& path, std::string const& bytes, std::string& error)
{
    // The new contents go to a file beside the old one and reach the disk before
    // taking the old one's name, and the directory is flushed around the rename:
    // a save cut short, even by a power loss, leaves the old file or the new one,
    // never a partial or an empty one.
    remove_unfinished_copies(path);
    std::vector<char> temporary(path.begin(), path.end());
    for (char c : saving_suffix + "XXXXXX") temporary.push_back(c);
    temporary.push_back('\0');
    int const handle = ::mkstemp(temporary.data());
    if (handle < 0)
    {
        error = std::strerror(errno);
        return false;
    }

    struct stat replaced;
    ::fchmod(handle, ::stat(path.c_str(), &replaced) == 0 ? (replaced.st_mode & 07777) : 0644);
    bool const written = write_all(handle, bytes) && ::fsync(handle) == 0;
    int const write_error = errno;
    if (::close(handle) != 0 || !written)
    {
        error = std::strerror(written ? errno : write_error);
        ::unlink(temporary.data());
        return false;
    }
    std::string const directory = directory_of(path);
    flush_directory(directory);
    if (::rename(temporary.data(), path.c_str()) != 0)
    {
        error = std::strerror(errno);
        ::unlink(temporary.data());
        return false;
    }
    flush_directory(directory);
    return true;
}

std::string file_base_name(std::string const& path)
{
    return QFileInfo(QString::fromLocal8Bit(path.c_str())).fileName().toLocal8Bit().toStdString();
}
