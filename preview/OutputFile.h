#pragma once

#include <QByteArray>
#include <QString>

namespace wendle {

/// Writes \a contents to \a fileName so that a failure never destroys what stood there.
/// A regular file, new or old, is written beside itself and renamed over the name only when
/// complete: an existing file keeps its permissions, a symbolic link is followed to its
/// target, and on any error the old file stays as it was and nothing is left beside it.
/// Anything else that exists there (a device, a pipe, a socket, a descriptor of this process
/// such as /dev/stdout) is written straight into and never replaced. Returns an empty string
/// on success, else why it failed.
QString WriteOutputFile(const QString& fileName, const QByteArray& contents);

} // namespace wendle
