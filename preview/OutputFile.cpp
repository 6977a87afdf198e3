#include "preview/OutputFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace wendle {

namespace {

    // Whether the name leads, through any symbolic links, into a /proc descriptor folder, as
    // /dev/stdout and /dev/fd/1 do: what stands there is this process's own stream, which
    // the shell opened and watches, so even a regular file behind it must not be replaced.
    bool IsDescriptor(QString fileName)
    {
        for (int depth = 0; depth < 40; ++depth) {
            const QFileInfo info(fileName);
            if (QDir(info.absolutePath()).canonicalPath().startsWith(QLatin1String("/proc/")))
                return true;
            if (!info.isSymLink())
                return false;
            fileName = info.symLinkTarget();
        }
        return false;
    }

    // Writes all of \a contents, as many times as the system takes part of it; false with the
    // device's error set when a write fails.
    bool WriteAll(QFileDevice& file, const QByteArray& contents)
    {
        for (qsizetype done = 0; done < contents.size();) {
            const qint64 written = file.write(contents.constData() + done, contents.size() - done);
            if (written <= 0)
                return false;
            done += written;
        }
        return true;
    }

    QString WriteStraight(const QString& fileName, const QByteArray& contents)
    {
        // ExistingOnly: should the node go away meanwhile, no regular file takes its place.
        QFile stream(fileName);
        if (!stream.open(QIODevice::WriteOnly | QIODevice::Unbuffered | QIODevice::ExistingOnly))
            return stream.errorString();
        if (!WriteAll(stream, contents))
            return stream.errorString();
        stream.close();
        return stream.error() == QFileDevice::NoError ? QString() : stream.errorString();
    }

    QString WriteReplacing(const QString& fileName, const QByteArray& contents)
    {
        // QSaveFile writes beside the target, follows a symbolic link to it and keeps an
        // existing file's permissions. Its commit does not see a failed flush of its buffer
        // (a full disk shows only there), so the file is written unbuffered.
        QSaveFile file(fileName);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return file.errorString();
        if (!WriteAll(file, contents)) {
            const QString error = file.errorString();
            file.cancelWriting();
            return error; // the destructor removes the file written beside the target
        }
        if (!file.commit())
            return file.errorString();
        return {};
    }

} // namespace

QString WriteOutputFile(const QString& fileName, const QByteArray& contents)
{
    const QFileInfo target(fileName);
    if (target.isDir())
        return QStringLiteral("is a folder");
    if ((target.exists() && !target.isFile()) || IsDescriptor(fileName))
        return WriteStraight(fileName, contents);
    return WriteReplacing(fileName, contents);
}

} // namespace wendle
