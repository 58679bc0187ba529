#pragma once
#include <QByteArray>
#include <QString>

/// Makes bytes the whole content of the file at path and returns an empty string, or the
/// system's reason for failing, in which case the old file is still as it was. An existing
/// file keeps its owner, group and mode, and a file with several names (hard links) or one
/// whose owner cannot be kept is written in place so that it stays one file; otherwise the
/// bytes go to a new file that then takes the old one's place.
QString SaveBytes(const QString& path, const QByteArray& bytes);
