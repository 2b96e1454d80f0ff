#include "program/xml_report.h"

#include "program/report_date.h"
#include "program/resources.h"

#include "platform/forms/intrinsics/flex_grid.h"

namespace program {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr int kCommentString = 156;

bool is_name_start(QChar c) { return c.isLetter() || c == u'_'; }

bool is_name_char(QChar c) { return is_name_start(c) || c.isDigit() || c == u'-' || c == u'.'; }

QString attributes_of_row(const forms::FlexGrid& grid, int row)
{
    QString text;
    for (int c = 1; c < grid.Cols(); ++c)
        text += u' ' + MakeXMLAttributeName(grid.TextMatrix(0, c)) + QStringLiteral("=\"") +
                EscapeXMLText(grid.TextMatrix(row, c)) + u'"';
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

QString MakeXMLString(const forms::FlexGrid& grid, const QDateTime& now)
{
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?> ") + kCrLf;

    QString comment = Resources::Shared().LoadString(kCommentString);
    comment.replace(QStringLiteral("%d"), ReportDate(now));
    for (QString line : comment.split(kCrLf)) {
        // A comment cannot hold "--".
        while (line.contains(QStringLiteral("--")))
            line.replace(QStringLiteral("--"), QStringLiteral("- -"));
        text += QStringLiteral("<!-- ") + line + QStringLiteral("  --> ") + kCrLf;
    }
    text += kCrLf;

    text += QStringLiteral("<Statistics>") + kCrLf;
    const int rows = grid.Rows();
    for (int r = 1; r <= rows - 2; ++r)
        text += QStringLiteral("<Domain") + attributes_of_row(grid, r) + u'>' + EscapeXMLText(grid.TextMatrix(r, 0)) +
                QStringLiteral("</Domain>") + kCrLf;
    if (rows >= 2)
        text += QStringLiteral("<Total") + attributes_of_row(grid, rows - 1) + QStringLiteral(" />") + kCrLf;
    text += QStringLiteral("</Statistics>");
    return text;
}

} // namespace program
