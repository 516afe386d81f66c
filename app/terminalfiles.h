#pragma once

#include "checkedwrite.h"

#include <QString>

#include <cstddef>
#include <cstdio>
#include <memory>
#include <optional>
#include <string_view>

// The files a terminal command reads and writes, taken as a user means them:
// "-" is standard input; an output is never a file the command did not
// create, put in place of the one the user named.

// The table read, from a file or standard input.
class TableInput {
public:
    TableInput() = default;
    ~TableInput();
    TableInput(const TableInput&) = delete;
    TableInput& operator=(const TableInput&) = delete;

    // Opens `path`, or standard input for "-": an empty text, else why not.
    QString open(const QString& path);
    // At most `most` bytes, as they arrive: 0 at the end, nothing when
    // reading failed (error() says why).
    std::optional<std::size_t> read(char* into, std::size_t most);
    QString error() const { return m_error; }
    // Whether `path` names this very file: by device and inode, where the
    // system has no inodes (Windows) by the canonical path.
    bool isFile(const QString& path) const;

private:
    int m_descriptor = -1;
    bool m_own = false;
    QString m_path;
    QString m_error;
};

// Where the output goes: standard output (no file, "-", or a name of it
// such as /dev/stdout), a device or FIFO written as it is (/dev/null), or a
// regular file written through the checked write, whole or not at all.
// A directory, a socket, a block device and a file without write
// permission are refused, as a text editor refuses them.
class TableOutput {
public:
    TableOutput() = default;
    ~TableOutput();
    TableOutput(const TableOutput&) = delete;
    TableOutput& operator=(const TableOutput&) = delete;

    // An empty text, else why the output cannot go there.
    QString open(const QString& path);
    bool write(std::string_view bytes); // false: error() says why
    // The output complete: the file committed, the stream flushed.
    bool finish();
    // The output abandoned: a file is not written.
    void cancel();
    QString error() const { return m_error; }

private:
    std::FILE* m_stream = nullptr;
    bool m_ownStream = false;
    std::unique_ptr<CheckedFile> m_file;
    QString m_error;
};
