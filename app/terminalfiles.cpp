#include "terminalfiles.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

QString systemWords(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString openFailure(int error)
{
    switch (error) {
    case ENOENT:
        return u"文件不存在"_s;
    case EACCES:
    case EPERM:
        return u"没有读取权限"_s;
    case EISDIR:
        return u"该路径是一个文件夹"_s;
    default:
        return u"无法打开。系统信息："_s + systemWords(error);
    }
}

const QString folderRefused = u"该路径是一个文件夹"_s;
const QString readOnlyRefused = u"文件是只读的（没有写入权限），不覆盖它"_s;

#ifndef Q_OS_WIN
bool sameFile(const struct stat& one, const struct stat& other)
{
    return one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}
#endif

} // namespace

TableInput::~TableInput()
{
#ifdef Q_OS_WIN
    if (m_own)
        _close(m_descriptor);
#else
    if (m_own)
        ::close(m_descriptor);
#endif
}

QString TableInput::open(const QString& path)
{
    m_path = path;
    if (path == u"-"_s) {
#ifdef Q_OS_WIN
        _setmode(_fileno(stdin), _O_BINARY);
        m_descriptor = _fileno(stdin);
#else
        m_descriptor = STDIN_FILENO;
#endif
        return {};
    }
    if (QFileInfo(path).isDir())
        return folderRefused;
#ifdef Q_OS_WIN
    m_descriptor = _wopen(reinterpret_cast<const wchar_t*>(path.utf16()), _O_RDONLY | _O_BINARY);
#else
    m_descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
#endif
    if (m_descriptor < 0)
        return openFailure(errno);
    m_own = true;
    return {};
}

std::optional<std::size_t> TableInput::read(char* into, std::size_t most)
{
    for (;;) {
#ifdef Q_OS_WIN
        const int got = _read(m_descriptor, into, unsigned(std::min<std::size_t>(most, INT_MAX)));
#else
        const ssize_t got = ::read(m_descriptor, into, most);
#endif
        if (got >= 0)
            return std::size_t(got);
        if (errno == EINTR)
            continue;
        m_error
            = errno == EISDIR ? folderRefused : u"读取时出错。系统信息："_s + systemWords(errno);
        return std::nullopt;
    }
}

bool TableInput::isFile(const QString& path) const
{
#ifdef Q_OS_WIN
    // NTFS's file index is its inode: a hard link or standard input counts.
    BY_HANDLE_FILE_INFORMATION input {}, named {};
    const auto inputHandle = reinterpret_cast<HANDLE>(_get_osfhandle(m_descriptor));
    const HANDLE namedHandle = CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), 0,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (namedHandle != INVALID_HANDLE_VALUE) {
        const bool both = GetFileType(inputHandle) == FILE_TYPE_DISK
            && GetFileInformationByHandle(inputHandle, &input)
            && GetFileInformationByHandle(namedHandle, &named);
        CloseHandle(namedHandle);
        if (both)
            return input.dwVolumeSerialNumber == named.dwVolumeSerialNumber
                && input.nFileIndexHigh == named.nFileIndexHigh
                && input.nFileIndexLow == named.nFileIndexLow;
    }
    // A file system without file indexes: by the canonical path.
    if (m_path == u"-"_s)
        return false;
    const QString inputPath = QFileInfo(m_path).canonicalFilePath();
    return !inputPath.isEmpty()
        && inputPath.compare(QFileInfo(path).canonicalFilePath(), Qt::CaseInsensitive) == 0;
#else
    // A terminal may be read and written at once; a file or a FIFO may not.
    struct stat input {
    }, named {};
    return ::fstat(m_descriptor, &input) == 0 && !S_ISCHR(input.st_mode)
        && ::stat(QFile::encodeName(path).constData(), &named) == 0 && sameFile(input, named);
#endif
}

TableOutput::~TableOutput()
{
    if (m_ownStream)
        std::fclose(m_stream);
}

QString TableOutput::open(const QString& path)
{
    if (path.isEmpty() || path == u"-"_s) {
        m_stream = stdout;
        return {};
    }
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    if (info.isDir())
        return folderRefused;
    // A device or a pipe (NUL, CON, \\.\pipe\…) is written as it is.
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_WRITE,
        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        const DWORD type = GetFileType(handle);
        if (type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE) {
            const int descriptor
                = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
            m_stream = descriptor < 0 ? nullptr : _fdopen(descriptor, "wb");
            if (!m_stream)
                return u"无法打开该设备"_s;
            m_ownStream = true;
            return {};
        }
        CloseHandle(handle);
    }
    if (info.exists() && !info.isWritable())
        return readOnlyRefused;
#else
    const QByteArray name = QFile::encodeName(path);
    struct stat target {
    }, standardOutput {};
    if (::stat(name.constData(), &target) == 0) {
        if (::fstat(STDOUT_FILENO, &standardOutput) == 0 && sameFile(target, standardOutput)) {
            m_stream = stdout; // /dev/stdout, /dev/fd/1, or the file it is
            return {};
        }
        if (S_ISDIR(target.st_mode))
            return folderRefused;
        if (S_ISSOCK(target.st_mode))
            return u"该路径是一个套接字，不能写入"_s;
        if (S_ISBLK(target.st_mode))
            return u"该路径是块设备（磁盘），不写入"_s;
        if (S_ISCHR(target.st_mode) || S_ISFIFO(target.st_mode)) {
            // Without O_CREAT: whatever happens, no regular file takes its place.
            const int descriptor = ::open(name.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
            if (descriptor < 0)
                return errno == EACCES || errno == EPERM ? u"没有写入权限"_s : openFailure(errno);
            m_stream = fdopen(descriptor, "wb");
            m_ownStream = true;
            return {};
        }
        // As an editor does, even for root: a file nobody may write is not
        // overwritten.
        if (::access(name.constData(), W_OK) != 0 || (target.st_mode & 0222) == 0)
            return readOnlyRefused;
    }
#endif
    m_file = std::make_unique<CheckedFile>(path);
    return m_file->open();
}

bool TableOutput::write(std::string_view bytes)
{
    if (m_file) {
        m_error = m_file->write(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
        return m_error.isEmpty();
    }
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_stream) == bytes.size()
        && std::fflush(m_stream) == 0)
        return true;
    const int error = errno;
    m_error = writeFailure(error) + (error ? u"。系统信息："_s + systemWords(error) : QString());
    return false;
}

bool TableOutput::finish()
{
    if (m_file) {
        m_error = m_file->commit();
        m_file.reset();
        return m_error.isEmpty();
    }
    if (m_ownStream) {
        m_ownStream = false;
        if (std::fclose(m_stream) != 0) {
            m_error = writeFailure(errno);
            return false;
        }
    }
    return true;
}

void TableOutput::cancel()
{
    if (m_file)
        m_file->cancel();
    m_file.reset();
}
