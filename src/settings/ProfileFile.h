#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// An INI file in GBK with the semantics of the Windows private profile calls:
// section and key names compare case-insensitively, the first section and
// key of a name count, a value is trimmed and loses one pair of enclosing
// quotes. A write replaces only the line of its key (or adds the key, or the
// section with the key) and keeps the bytes of every other line.
class ProfileFile {
public:
    // Reads the file now; a missing or unreadable file reads as empty.
    explicit ProfileFile(QString path);

    std::optional<QString> Value(const QString& section, const QString& key) const;

    // Changes the copy in memory and writes the whole file through a
    // temporary file that replaces it, so a crash never leaves half a file.
    bool Write(const QString& section, const QString& key, const QString& value);

private:
    struct Location {
        qsizetype sectionLine = -1;
        // Line after the last non-blank line of the section.
        qsizetype sectionEnd = -1;
        qsizetype keyLine = -1;
    };

    Location Find(const QString& section, const QString& key) const;
    QByteArray NewLine() const;
    void ReplaceLine(qsizetype index, const QByteArray& line);
    void InsertLine(qsizetype index, const QByteArray& line);
    bool Save() const;

    QString path_;
    QList<QByteArray> lines_;
    // lines_ decoded, kept beside the bytes so that lookups decode only once.
    QList<QString> texts_;
    bool crlf_ = true;
    // The file ended without a line break after its last line.
    bool missingFinalBreak_ = false;
};
