#include "program/report/xml_report.h"

#include "program/report/program_strings.h"
#include "program/report/report_date.h"
#include "program/report/resources.h"

#include <QStringList>

namespace program {

namespace {

constexpr QChar kTab = u'\t';
const QString kCrLf = QStringLiteral("\r\n");

bool is_name_start(QChar c) { return c.isLetter() || c == u'_'; }

bool is_name_char(QChar c) { return is_name_start(c) || c.isDigit() || c == u'-' || c == u'.'; }

// A row of the results matrix as the grid shows it: one cell per column title, a missing cell
// empty and cells beyond the titles dropped.
QStringList cells_of(const QString& row, qsizetype columns)
{
    QStringList cells = row.split(kTab);
    cells.resize(columns);
    return cells;
}

QString attributes_of_row(const QStringList& titles, const QStringList& cells)
{
    QString text;
    for (qsizetype c = 1; c < titles.size(); ++c)
        text += u' ' + MakeXMLAttributeName(titles[c]) + QStringLiteral("=\"") + EscapeXMLText(cells[c]) + u'"';
    return text;
}

} // namespace

QString EscapeXMLText(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        switch (c.unicode()) {
        case u'&': out += QStringLiteral("&amp;"); continue;
        case u'<': out += QStringLiteral("&lt;"); continue;
        case u'>': out += QStringLiteral("&gt;"); continue;
        case u'"': out += QStringLiteral("&quot;"); continue;
        case u'\'': out += QStringLiteral("&apos;"); continue;
        case u'\t': out += QStringLiteral("&#9;"); continue;
        case u'\n': out += QStringLiteral("&#10;"); continue;
        case u'\r': out += QStringLiteral("&#13;"); continue;
        default: break;
        }
        if (c.isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
            out += c;
            out += s[++i];
            continue;
        }
        if (c.unicode() < 0x20 || c.isSurrogate() || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF)
            out += QChar(QChar::ReplacementCharacter);
        else
            out += c;
    }
    return out;
}

QString MakeXMLAttributeName(const QString& s)
{
    QString name;
    for (const QChar c : s) {
        if (c == u' ')
            continue;
        name += is_name_char(c) ? c : QChar(u'_');
    }
    if (name.isEmpty() || !is_name_start(name.front()))
        name.prepend(u'_');
    return name;
}

QString MakeXMLString(const QStringList& results, const QDateTime& now)
{
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?> ") + kCrLf;

    QString comment = Resources::Shared().LoadString(IDS_XML_COMMENT);
    comment.replace(QStringLiteral("%d"), ReportDate(now));
    for (QString line : comment.split(kCrLf)) {
        // A comment cannot hold "--".
        while (line.contains(QStringLiteral("--")))
            line.replace(QStringLiteral("--"), QStringLiteral("- -"));
        text += QStringLiteral("<!-- ") + line + QStringLiteral("  --> ") + kCrLf;
    }
    text += kCrLf;

    text += QStringLiteral("<Statistics>") + kCrLf;
    const qsizetype rows = results.size();
    if (rows >= 1) {
        // The header row ends each title with a TAB.
        QStringList titles = results[0].split(kTab);
        titles.removeLast();
        for (qsizetype r = 1; r <= rows - 2; ++r) {
            const QStringList cells = cells_of(results[r], titles.size());
            text += QStringLiteral("<Domain") + attributes_of_row(titles, cells) + u'>' +
                    EscapeXMLText(cells.value(0)) + QStringLiteral("</Domain>") + kCrLf;
        }
        if (rows >= 2)
            text += QStringLiteral("<Total") + attributes_of_row(titles, cells_of(results[rows - 1], titles.size())) +
                    QStringLiteral(" />") + kCrLf;
    }
    text += QStringLiteral("</Statistics>");
    return text;
}

} // namespace program
