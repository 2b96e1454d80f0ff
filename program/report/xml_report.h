#pragma once
// The XML text of a results matrix (the rows the results grid shows): a declaration of UTF-8,
// the program's comment with the date, and <Statistics> with one <Domain> element per entry
// row (its counts as attributes named after the column titles, its name as the content) and a
// <Total /> element.

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace program {

// `results` as FillResultsMatrix makes them: the header row first, the Total row last.
QString MakeXMLString(const QStringList& results, const QDateTime& now = QDateTime::currentDateTime());

// Text as XML character data or an attribute value: the markup characters and quotes as
// entities, TAB, CR and LF as character references (an attribute keeps them), and the
// characters XML cannot carry at all (other control characters, lone surrogates, U+FFFE and
// U+FFFF) as U+FFFD.
QString EscapeXMLText(const QString& s);

// A column title as an attribute name: blanks removed, every character a name cannot hold
// as "_", and "_" in front when the name would not start with a letter or "_".
// "Global Groups" gives GlobalGroups, "Mail/Mailbox-enabled Users" Mail_Mailbox-enabledUsers.
QString MakeXMLAttributeName(const QString& s);

} // namespace program
