// Plays a program on the other end of a named pipe: it opens the pipe for
// writing once, writes the given bytes and closes it. A reader that waits
// for a writer is so released (and reads those bytes) instead of hanging
// the test; a reader that refuses pipes never sees them. The destructor holds
// the pipe open for reading until the writer is done, so the writer's own
// open always returns. Linux and other POSIX systems only.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <csignal>
#include <thread>

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

class PipeWriter
{
public:
    explicit PipeWriter(const QString &path, const QByteArray &bytes = QByteArray())
        : mPath(QFile::encodeName(path))
    {
        mThread = std::thread([p = mPath, bytes] {
            // A reader that has gone already must not end the test with
            // SIGPIPE: the write just fails.
            sigset_t pipeSignal;
            sigemptyset(&pipeSignal);
            sigaddset(&pipeSignal, SIGPIPE);
            pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
            const int fd = ::open(p.constData(), O_WRONLY | O_CLOEXEC);
            if (fd < 0)
                return;
            if (!bytes.isEmpty() && ::write(fd, bytes.constData(), size_t(bytes.size())) < 0) {
                // Nobody reads: nothing more to do.
            }
            ::close(fd);
        });
    }
    ~PipeWriter()
    {
        const int reader = ::open(mPath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        mThread.join();
        if (reader >= 0)
            ::close(reader);
    }
    PipeWriter(const PipeWriter &) = delete;
    PipeWriter &operator=(const PipeWriter &) = delete;

private:
    QByteArray mPath;
    std::thread mThread;
};
