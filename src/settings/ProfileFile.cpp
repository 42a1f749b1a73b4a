#include "settings/ProfileFile.h"

#include "settings/GbkCodec.h"

#include <QFile>
#include <QSaveFile>

namespace {

// The profile calls trim only blanks and tabs, not every Unicode space.
QStringView TrimBlanks(QStringView text) {
    auto isBlank = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\r'; };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.mid(begin, end - begin);
}

bool SameName(QStringView a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// The name of a "[section]" line, or nothing for any other line.
std::optional<QStringView> SectionName(QStringView line) {
    if (!line.startsWith(u'[')) return std::nullopt;
    const qsizetype close = line.lastIndexOf(u']');
    const qsizetype end = close > 0 ? close : line.size();
    return TrimBlanks(line.mid(1, end - 1));
}

struct KeyLine {
    QStringView key;
    QStringView value;
};

std::optional<KeyLine> ParseKeyLine(QStringView line) {
    if (line.startsWith(u';')) return std::nullopt;
    const qsizetype equals = line.indexOf(u'=');
    if (equals <= 0) return std::nullopt;
    const QStringView key = TrimBlanks(line.left(equals));
    if (key.isEmpty()) return std::nullopt;
    return KeyLine{key, TrimBlanks(line.mid(equals + 1))};
}

QStringView WithoutQuotes(QStringView value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

// A line break inside a value would let it add lines (and keys) of its own.
QString SingleLine(QString text) {
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

}  // namespace

ProfileFile::ProfileFile(QString path) : path_(std::move(path)) {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray content = file.readAll();
    if (content.isEmpty()) return;
    lines_ = content.split('\n');
    if (content.endsWith('\n'))
        lines_.removeLast();
    else
        missingFinalBreak_ = true;
    texts_.reserve(lines_.size());
    for (const QByteArray& line : lines_) texts_.append(GbkCodec::Decode(line));
    // New lines follow the file's own line breaks; CRLF when it has none yet.
    crlf_ = !content.contains('\n') || lines_.front().endsWith('\r');
}

ProfileFile::Location ProfileFile::Find(const QString& section, const QString& key) const {
    Location found;
    bool inSection = false;
    bool inFirstSection = false;
    for (qsizetype index = 0; index < lines_.size(); ++index) {
        const QStringView text = TrimBlanks(texts_[index]);
        if (const auto name = SectionName(text)) {
            inSection = SameName(*name, section);
            inFirstSection = inSection && found.sectionLine < 0;
            if (inFirstSection) {
                found.sectionLine = index;
                found.sectionEnd = index + 1;
            }
            continue;
        }
        if (inFirstSection && !text.isEmpty()) found.sectionEnd = index + 1;
        if (!inSection || found.keyLine >= 0) continue;
        const auto entry = ParseKeyLine(text);
        if (entry && SameName(entry->key, key)) found.keyLine = index;
    }
    return found;
}

std::optional<QString> ProfileFile::Value(const QString& section, const QString& key) const {
    const Location found = Find(section, key);
    if (found.keyLine < 0) return std::nullopt;
    const auto entry = ParseKeyLine(TrimBlanks(texts_[found.keyLine]));
    return WithoutQuotes(entry->value).toString();
}

QByteArray ProfileFile::NewLine() const { return crlf_ ? QByteArrayLiteral("\r") : QByteArray(); }

bool ProfileFile::Write(const QString& section, const QString& key, const QString& value) {
    const QByteArray encodedValue = GbkCodec::Encode(SingleLine(value));
    const QByteArray keyLine = GbkCodec::Encode(SingleLine(key)) + '=' + encodedValue + NewLine();
    const Location found = Find(section, key);
    if (found.keyLine >= 0) {
        // Keep the key as spelled in the file and whatever stood before '='
        // ('=' never occurs inside a two-byte GBK character).
        const QByteArray& line = lines_[found.keyLine];
        const QByteArray ending = line.endsWith('\r') ? "\r" : "";
        ReplaceLine(found.keyLine, line.left(line.indexOf('=') + 1) + encodedValue + ending);
    } else if (found.sectionLine >= 0) {
        if (found.sectionEnd == lines_.size()) missingFinalBreak_ = false;
        InsertLine(found.sectionEnd, keyLine);
    } else {
        missingFinalBreak_ = false;
        InsertLine(lines_.size(), GbkCodec::Encode(u'[' + SingleLine(section) + u']') + NewLine());
        InsertLine(lines_.size(), keyLine);
    }
    return Save();
}

void ProfileFile::ReplaceLine(qsizetype index, const QByteArray& line) {
    lines_[index] = line;
    texts_[index] = GbkCodec::Decode(line);
}

void ProfileFile::InsertLine(qsizetype index, const QByteArray& line) {
    lines_.insert(index, line);
    texts_.insert(index, GbkCodec::Decode(line));
}

bool ProfileFile::Save() const {
    QByteArray content = lines_.join('\n');
    if (!missingFinalBreak_ && !lines_.isEmpty()) content.append('\n');
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
