// Reading a file that may be anything a folder can hold: a link, a named
// pipe, a device, a file that grows while it is read. The worksheet reader,
// the navigator's header reads and the cloud upload open files through
// RegularFile, so that nothing but a regular file (after following links) is
// ever read, the open never waits for a writer, and no read goes past the
// bound the caller gives. Shows no window and keeps no state.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>

enum class FileReadFault {
    None,
    CannotOpen, // missing, no permission: the system's text in `error`
    NotRegular, // a folder, pipe, socket, device or broken link
    TooLarge,   // more bytes than the caller allows
    ReadError,  // the system failed during the read
};

class RegularFile
{
public:
    // Opens `path` for reading; fault() says why not. A pipe or device is
    // refused without waiting for a writer.
    explicit RegularFile(const QString &path);
    ~RegularFile();
    RegularFile(const RegularFile &) = delete;
    RegularFile &operator=(const RegularFile &) = delete;

    FileReadFault fault() const { return mFault; }
    QString error() const { return mError; }
    bool isOpen() const { return mFault == FileReadFault::None; }
    // The size the file had when it was opened.
    qint64 size() const { return mSize; }

    // Appends up to `count` further bytes to `out`; fewer at the end of the
    // file. false on a read error.
    bool read(qint64 count, QByteArray &out);
    // The whole file, refused with TooLarge when it holds more than
    // `maxBytes` (also when it grows past that while being read).
    FileReadFault readAll(qint64 maxBytes, QByteArray &out);

private:
    std::unique_ptr<QFile> mFile;
    FileReadFault mFault = FileReadFault::CannotOpen;
    QString mError;
    qint64 mSize = 0;
};

// Shorthand: the whole regular file at `path`, at most `maxBytes` bytes.
FileReadFault ReadRegularFile(const QString &path, qint64 maxBytes, QByteArray &out,
                              QString *error = nullptr);
