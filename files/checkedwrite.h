#pragma once

#include <QByteArray>
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
