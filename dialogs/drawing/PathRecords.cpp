#include "dialogs/drawing/PathRecords.h"

#include "exchange/Records.h"

#include <QCoreApplication>
#include <QStringList>

KvPathRecords::Record KvPathRecords::parse(const QString& record)
{
    const QStringList fields = KvRecords::split(record, QLatin1Char('^'), 3);
    return {fields.at(0), fields.at(1), fields.at(2)};
}

QString KvPathRecords::join(const Record& record)
{
    return KvRecords::join({record.type, record.name, record.path}, QLatin1Char('^'));
}

KvPathRecords::Type KvPathRecords::typeOf(const QString& word)
{
    static const struct
    {
        const char* word;
        Type type;
    } types[] = {
        {QT_TRANSLATE_NOOP("Dlg_QT_RedefinePaths", "Xref"), Type::Xref},
        {QT_TRANSLATE_NOOP("Dlg_QT_RedefinePaths", "Image"), Type::Image},
        {QT_TRANSLATE_NOOP("Dlg_QT_RedefinePaths", "TextStyle"), Type::TextStyle},
        {QT_TRANSLATE_NOOP("Dlg_QT_RedefinePaths", "RemoteText"), Type::RemoteText},
    };
    for (const auto& t : types)
        if (word.compare(QCoreApplication::translate("Dlg_QT_RedefinePaths", t.word), Qt::CaseInsensitive) == 0)
            return t.type;
    return Type::Other;
}

KvPathRecords::PathFilter::PathFilter(const QString& pattern)
    : m_all(pattern.isEmpty() || pattern == QLatin1String("*")), m_expression(m_all ? QString() : pattern)
{
    if (!m_all)
        m_expression.optimize();
}

bool KvPathRecords::PathFilter::passes(const QString& path) const
{
    if (m_all)
        return true;
    return m_expression.isValid() && m_expression.match(path).hasMatch();
}

QString KvPathRecords::replaced(const QString& path, const QString& find, const QString& replacement)
{
    if (find.isEmpty())
        return replacement + path;
    QString result = path;
    return result.replace(find, replacement, Qt::CaseSensitive);
}
