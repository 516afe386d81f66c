#include "checkedwrite.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>

using namespace Qt::StringLiterals;

// The reason of a failed write or commit, from the system's error number as
// the failing call left it.
QString writeFailure(int error)
{
    switch (error) {
    case ENOSPC:
        return u"磁盘空间已满"_s;
#ifdef EDQUOT
    case EDQUOT:
        return u"磁盘配额已用完"_s;
#endif
#ifdef EFBIG
    case EFBIG:
        return u"文件超出系统允许的大小（磁盘空间或配额限制）"_s;
#endif
#ifdef ENAMETOOLONG
    case ENAMETOOLONG:
        return u"文件名过长"_s;
#endif
    case EIO:
        return u"磁盘读写出错"_s;
    case EACCES:
    case EPERM:
    case EROFS:
        return u"没有写入权限"_s;
    default:
        return u"写入文件时出错"_s;
    }
}

namespace {

// Why a file could not be created at `path`: from the system's error number
// where it says more than the path shows.
QString openFailure(const QString& path, int error)
{
    switch (error) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
#ifdef ENAMETOOLONG
    case ENAMETOOLONG:
#endif
    case EROFS:
        return writeFailure(error);
    default:
        break;
    }
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (path.trimmed().isEmpty())
        return u"没有给出文件名"_s;
    if (target.isDir())
        return u"该路径是一个文件夹"_s;
    if (!folder.exists())
        return u"文件夹“%1”不存在"_s.arg(QDir::toNativeSeparators(folder.filePath()));
    if (!folder.isDir())
        return u"“%1”不是文件夹"_s.arg(QDir::toNativeSeparators(folder.filePath()));
    if (!QFileInfo(folder.filePath()).isWritable())
        return u"没有在该文件夹中写入的权限"_s;
    // Where the system gives no error number (Windows): 255 UTF-16 units is
    // the longest name NTFS and FAT take, as 255 bytes is ext4's.
    if (target.fileName().size() > 255)
        return writeFailure(ENAMETOOLONG);
    return u"无法在该位置创建文件（文件名无效或过长）"_s;
}

QString withSystemWords(const QString& why, const QString& system)
{
    return system.isEmpty() ? why + u'。' : why + u"。系统信息："_s + system;
}

} // namespace

QString writeChecked(QIODevice& device, const QByteArray& bytes)
{
    // Pieces small enough that a full disk shows at the write that meets it.
    constexpr qsizetype piece = 16 * 1024;
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype size = std::min(piece, bytes.size() - at);
        errno = 0;
        const qint64 written = device.write(bytes.constData() + at, size);
        const int error = errno;
        if (written <= 0)
            return withSystemWords(writeFailure(error), device.errorString());
        at += qsizetype(written);
    }
    return {};
}

QString writeWholeFile(const QString& path, const QByteArray& bytes)
{
    CheckedFile file(path);
    QString why = file.open();
    if (why.isEmpty())
        why = file.write(bytes);
    return why.isEmpty() ? file.commit() : why;
}

CheckedFile::CheckedFile(const QString& path)
    : m_path(path)
    , m_file(path)
{
}

QString CheckedFile::open()
{
    if (m_path.trimmed().isEmpty() || QFileInfo(m_path).isDir())
        return withSystemWords(openFailure(m_path, 0), {});
    // Unbuffered: every write reaches the file system, which answers it.
    errno = 0;
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const int error = errno;
        return withSystemWords(openFailure(m_path, error), m_file.errorString());
    }
    return {};
}

QString CheckedFile::write(QByteArrayView bytes)
{
    const QString reason
        = writeChecked(m_file, QByteArray::fromRawData(bytes.data(), bytes.size()));
    if (!reason.isEmpty())
        m_file.cancelWriting();
    return reason;
}

QString CheckedFile::commit()
{
    errno = 0;
    if (!m_file.commit()) {
        const int error = errno;
        return withSystemWords(
            error ? writeFailure(error) : u"无法以该文件名保存"_s, m_file.errorString());
    }
    return {};
}
