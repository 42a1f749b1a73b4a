#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A private folder for one test with a system.ini whose bytes the test sets
// and checks exactly.
class TempIni {
public:
    QString Folder() const { return dir_.path(); }
    QString Path() const { return dir_.filePath(QStringLiteral("system.ini")); }

    void WriteBytes(const QByteArray& bytes) const {
        QFile file(Path());
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
    }

    QByteArray ReadBytes() const {
        QFile file(Path());
        if (!file.open(QIODevice::ReadOnly)) return {};
        return file.readAll();
    }

    bool Exists() const { return QFile::exists(Path()); }

private:
    QTemporaryDir dir_;
};
