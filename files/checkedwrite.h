#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

class QIODevice;

// Writing a file the user asked for, so that it is either whole or not there.

// Writes `bytes` to `device` piece by piece, checking each write. An empty
// text on success, else why it failed, in Chinese: a full disk says so.
QString writeChecked(QIODevice& device, const QByteArray& bytes);

// Writes `bytes` as the file `path` through a temporary file that replaces
// `path` only once every byte is written and committed, so a failure leaves
// any earlier file as it was and no partial one. An empty text on success,
// else why it failed, in Chinese ("磁盘空间已满", a missing folder, no
// permission, a name too long), with the system's own words.
QString writeWholeFile(const QString& path, const QByteArray& bytes);

// The same for a file written piece by piece as its bytes are made: the
// temporary file replaces `path` at commit(); until then, or when a write
// fails or the object goes before commit(), `path` stays as it was. A file
// it replaces keeps its permission bits, and a symbolic link stays a link to
// the file written. Each call returns an empty text, or why it failed as
// writeWholeFile() words it.
class CheckedFile {
public:
    explicit CheckedFile(const QString& path);
    QString open();
    QString write(QByteArrayView bytes);
    QString commit();
    void cancel() { m_file.cancelWriting(); }

private:
    QString m_path;
    QSaveFile m_file;
};

// Why a write failed, in Chinese, from the system's error number: "磁盘空间已满".
QString writeFailure(int error);
