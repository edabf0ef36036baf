#include "connectivity/Netrc.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Qt has no reader of .netrc files, nor does any library Debian packages for it: the format is
// small enough to read here.

namespace {
// The tokens of a .netrc text, one after another.
class NetrcTokens
{
public:
    explicit NetrcTokens(const QByteArray &text) : m_text(text) {}

    std::optional<QByteArray> next()
    {
        for (;;) {
            skipSpace();
            if (m_at >= m_text.size())
                return std::nullopt;
            if (m_text.at(m_at) == '#') {
                skipLine();
                continue;
            }
            return m_text.at(m_at) == '"' ? quoted() : bare();
        }
    }

    // Skips a macro's body: every line up to the first empty one.
    void skipMacro()
    {
        skipLine();
        while (m_at < m_text.size()) {
            const qsizetype end = lineEnd();
            const bool empty = m_text.mid(m_at, end - m_at).trimmed().isEmpty();
            m_at = end + 1;
            if (empty)
                return;
        }
    }

private:
    static bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

    void skipSpace()
    {
        while (m_at < m_text.size() && isSpace(m_text.at(m_at)))
            ++m_at;
    }

    qsizetype lineEnd() const
    {
        const qsizetype end = m_text.indexOf('\n', m_at);
        return end < 0 ? m_text.size() : end;
    }

    void skipLine() { m_at = lineEnd() + 1; }

    QByteArray bare()
    {
        const qsizetype start = m_at;
        while (m_at < m_text.size() && !isSpace(m_text.at(m_at)))
            ++m_at;
        return m_text.mid(start, m_at - start);
    }

    // A value in double quotes, with its backslash escapes; one left open ends with the text.
    QByteArray quoted()
    {
        QByteArray value;
        for (++m_at; m_at < m_text.size(); ++m_at) {
            char c = m_text.at(m_at);
            if (c == '"') {
                ++m_at;
                break;
            }
            if (c == '\\' && m_at + 1 < m_text.size()) {
                c = m_text.at(++m_at);
                c = c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
            }
            value.append(c);
        }
        return value;
    }

    const QByteArray &m_text;
    qsizetype m_at = 0;
};
} // namespace

std::optional<NetrcLogin> netrcLogin(const QByteArray &text, const QString &host)
{
    NetrcTokens tokens(text);
    std::optional<NetrcLogin> machine;
    std::optional<NetrcLogin> fallback;
    // The entry being read, when it is one that is wanted; its values are taken, others' skipped.
    NetrcLogin *entry = nullptr;
    while (const std::optional<QByteArray> token = tokens.next()) {
        if (*token == "machine") {
            const std::optional<QByteArray> name = tokens.next();
            entry = nullptr;
            if (name && !machine && QString::fromUtf8(*name).compare(host, Qt::CaseInsensitive) == 0)
                entry = &machine.emplace();
        } else if (*token == "default") {
            entry = fallback || machine ? nullptr : &fallback.emplace();
        } else if (*token == "macdef") {
            tokens.next();
            tokens.skipMacro();
            entry = nullptr;
        } else if (*token == "login" || *token == "password" || *token == "account") {
            const std::optional<QByteArray> value = tokens.next();
            if (!value || !entry)
                continue;
            if (*token == "login")
                entry->login = QString::fromUtf8(*value);
            else if (*token == "password")
                entry->password = QString::fromUtf8(*value);
        }
    }
    return machine ? machine : fallback;
}

std::optional<NetrcFile> readUserNetrc()
{
    // Far larger than any list of logins; a larger file is no .netrc.
    constexpr qint64 kLargestFile = qint64{1024} * 1024;
    const QByteArray path = QFile::encodeName(QDir::homePath() + QStringLiteral("/.netrc"));
    const int descriptor = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    struct stat status = {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > kLargestFile) {
        ::close(descriptor);
        return std::nullopt;
    }
    QFile file;
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return std::nullopt;
    }
    NetrcFile netrc{file.read(kLargestFile), (status.st_mode & (S_IRGRP | S_IROTH)) != 0};
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return netrc;
}
