#include "platform/UnitRegularFile.h"

#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace
{

constexpr qint64 kChunk = 64 * 1024;

} // namespace

RegularFile::RegularFile(const QString &path) : mFile(std::make_unique<QFile>())
{
#ifdef Q_OS_UNIX
    // O_NONBLOCK: opening a named pipe for reading would otherwise wait until
    // some program opens it for writing. The type is then taken from the
    // opened descriptor itself, so the file cannot be swapped in between.
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        mError = QString::fromLocal8Bit(std::strerror(errno));
        mFault = FileReadFault::CannotOpen;
        return;
    }
    struct stat st {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        mFault = FileReadFault::NotRegular;
        return;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!mFile->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        mError = mFile->errorString();
        mFault = FileReadFault::CannotOpen;
        return;
    }
    mSize = qint64(st.st_size);
#else
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        mFault = FileReadFault::NotRegular;
        return;
    }
    mFile->setFileName(path);
    if (!mFile->open(QIODevice::ReadOnly)) {
        mError = mFile->errorString();
        mFault = FileReadFault::CannotOpen;
        return;
    }
    mSize = mFile->size();
#endif
    mFault = FileReadFault::None;
}

RegularFile::~RegularFile() = default;

bool RegularFile::read(qint64 count, QByteArray &out)
{
    if (!isOpen())
        return false;
    char buffer[kChunk];
    while (count > 0) {
        const qint64 got = mFile->read(buffer, std::min(count, kChunk));
        if (got < 0) {
            mError = mFile->errorString();
            return false;
        }
        if (got == 0)
            break;
        out.append(buffer, got);
        count -= got;
    }
    return true;
}

FileReadFault RegularFile::readAll(qint64 maxBytes, QByteArray &out)
{
    if (!isOpen())
        return mFault;
    if (mSize > maxBytes)
        return FileReadFault::TooLarge;
    out.clear();
    out.reserve(mSize);
    // One byte more than allowed tells a file that grew past the bound.
    if (!read(maxBytes + 1, out)) {
        out.clear();
        return FileReadFault::ReadError;
    }
    if (out.size() > maxBytes) {
        out.clear();
        return FileReadFault::TooLarge;
    }
    return FileReadFault::None;
}

FileReadFault ReadRegularFile(const QString &path, qint64 maxBytes, QByteArray &out, QString *error)
{
    RegularFile file(path);
    const FileReadFault fault = file.readAll(maxBytes, out);
    if (error)
        *error = file.error();
    return fault;
}
